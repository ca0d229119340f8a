#include "app/win32/group_box.hpp"

#include <commctrl.h>
#include <string>

namespace sintegra::app::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr int kCaptionIndent = 8;

// An etched frame whose top runs through the middle of the caption; the inside is left to what
// lies behind it, as for the system's group box.
void paintBox(HWND box) {
    PAINTSTRUCT painting;
    const HDC dc = BeginPaint(box, &painting);
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
        GetParent(box), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(box)));
    const HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0)));
    std::wstring caption(static_cast<std::size_t>(GetWindowTextLengthW(box)), L'\0');
    GetWindowTextW(box, caption.data(), static_cast<int>(caption.size() + 1));
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    SIZE extent;
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);

    RECT frame;
    GetClientRect(box, &frame);
    frame.top += metrics.tmHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    RECT text{kCaptionIndent, 0, kCaptionIndent + extent.cx + 2, metrics.tmHeight};
    FillRect(dc, &text, brush != nullptr ? brush : GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_SINGLELINE | DT_CENTER | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    EndPaint(box, &painting);
}

LRESULT CALLBACK boxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_PAINT) {
        paintBox(box);
        return 0;
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

} // namespace

void drawGroupBoxInParentColours(HWND box) {
    SetWindowSubclass(box, boxProc, kSubclassId, 0);
}

} // namespace sintegra::app::win32
