#include "app/win32/phase_bar.hpp"

#include <commctrl.h>
#include <string>

#include "files/wide_text.hpp"

namespace sintegra::app::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 1;

// Drawn off screen first, so that the text does not flicker as the bar moves under it.
void paintWithText(HWND bar, HFONT font) {
    PAINTSTRUCT painting;
    const HDC screen = BeginPaint(bar, &painting);
    RECT area;
    GetClientRect(bar, &area);
    const HDC buffer = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, area.right, area.bottom);
    const HGDIOBJ oldBitmap = SelectObject(buffer, bitmap);
    DefSubclassProc(bar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(buffer), PRF_CLIENT | PRF_ERASEBKGND);

    wchar_t text[256];
    const int length = GetWindowTextW(bar, text, 256);
    const HGDIOBJ oldFont = SelectObject(buffer, font);
    SetBkMode(buffer, TRANSPARENT);
    SetTextColor(buffer, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextW(buffer, text, length, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    BitBlt(screen, 0, 0, area.right, area.bottom, buffer, 0, 0, SRCCOPY);

    SelectObject(buffer, oldFont);
    SelectObject(buffer, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(buffer);
    EndPaint(bar, &painting);
}

LRESULT CALLBACK barProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR font) {
    if (message == WM_PAINT) {
        paintWithText(bar, reinterpret_cast<HFONT>(font));
        return 0;
    }
    return DefSubclassProc(bar, message, wParam, lParam);
}

std::wstring phaseText(const ProgressDisplay& progress) {
    std::wstring text = widen(progress.phase);
    if (!text.empty() && progress.percent) {
        text += L" – " + std::to_wstring(*progress.percent) + L"%";
    }
    return text;
}

} // namespace

void showPhaseOnBar(HWND bar, HFONT font) {
    SetWindowSubclass(bar, barProc, kSubclassId, reinterpret_cast<DWORD_PTR>(font));
    InvalidateRect(bar, nullptr, TRUE);
}

// A phase without steps to count moves to and fro, as Windows shows work of unknown length.
void showProgress(HWND bar, const ProgressDisplay& progress) {
    const bool busy = !progress.phase.empty() && !progress.percent;
    const LONG_PTR style = GetWindowLongPtrW(bar, GWL_STYLE);
    SetWindowLongPtrW(bar, GWL_STYLE, busy ? style | PBS_MARQUEE : style & ~LONG_PTR{PBS_MARQUEE});
    SendMessageW(bar, PBM_SETMARQUEE, busy, 0);
    SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(progress.percent.value_or(0)), 0);
    SetWindowTextW(bar, phaseText(progress).c_str());
    InvalidateRect(bar, nullptr, TRUE);
}

} // namespace sintegra::app::win32
