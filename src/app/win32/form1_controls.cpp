#include "app/win32/form1_controls.hpp"

#include <commctrl.h>
#include <uxtheme.h>

#include "app/elided_path.hpp"
#include "app/win32/group_box.hpp"
#include "app/win32/phase_bar.hpp"
#include "files/wide_text.hpp"

namespace sintegra::app::win32 {
namespace {

constexpr LONG kTextGap = 2; // between the end of a path and its "..."

TTTOOLINFOW tipOf(HWND window, HWND control) {
    TTTOOLINFOW tip{};
    tip.cbSize = sizeof tip;
    tip.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tip.hwnd = window;
    tip.uId = reinterpret_cast<UINT_PTR>(control);
    return tip;
}

LONG textWidth(HDC dc, std::string_view text) {
    const std::wstring wide = widen(text);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx;
}

} // namespace

Form1Controls::Form1Controls(HWND window, UINT dpi)
    : window_(window)
    , heading_(CreateSolidBrush(backgroundColour(Look::Heading)))
    , pathBox_(CreateSolidBrush(backgroundColour(Look::PathBox))) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const ControlDesign& design : kForm1Design) {
        // Child windows stack in the order they are made, the first on top: the table's order. Each
        // paints around those above it, or a path row would cover its "...".
        const HWND control = CreateWindowExW(
            0, design.windowClass, design.text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | design.style, 0, 0,
            0, 0, window, reinterpret_cast<HMENU>(design.id), instance, nullptr);
        if (design.look == Look::Navy) {
            // A themed option button draws its text in the theme's colour, not the design's.
            SetWindowTheme(control, L"", L"");
        }
    }
    tips_ =
        CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, instance, nullptr);
    for (const ControlId path : {ControlId::TxTFile, ControlId::TxtFile1}) {
        TTTOOLINFOW tip = tipOf(window, item(path));
        tip.lpszText = const_cast<wchar_t*>(L"");
        SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tip));
    }
    drawGroupBoxInParentColours(item(ControlId::FraOpcao));
    SendMessageW(item(ControlId::Prg), PBM_SETRANGE32, 0, 100);
    layout(dpi);
}

HWND Form1Controls::item(ControlId id) const {
    return GetDlgItem(window_, static_cast<int>(id));
}

void Form1Controls::layout(UINT dpi) {
    std::array<Font, 4> fonts;
    for (std::size_t role = 0; role < fonts.size(); ++role) {
        const LOGFONTW font = fontOf(static_cast<FontRole>(role), dpi);
        fonts[role].reset(CreateFontIndirectW(&font));
    }
    for (const ControlDesign& design : kForm1Design) {
        const RECT place = pixelRect(design.place, dpi);
        const HWND control = item(design.id);
        SetWindowPos(control, nullptr, place.left, place.top, place.right - place.left,
                     place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(control, WM_SETFONT,
                     reinterpret_cast<WPARAM>(fonts[static_cast<std::size_t>(design.font)].get()), TRUE);
    }
    showPhaseOnBar(item(ControlId::Prg), fonts[static_cast<std::size_t>(FontRole::Window)].get());
    fonts_ = std::move(fonts); // the old ones only now that no control uses them
}

void Form1Controls::showPath(ControlId row, ControlId button, std::string_view path) {
    const HWND control = item(row);
    RECT box;
    RECT end;
    GetWindowRect(control, &box);
    GetWindowRect(item(button), &end);
    const HDC dc = GetDC(control);
    const HGDIOBJ font = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    const std::string shown = elidedPath(
        path, [&](std::string_view text) { return textWidth(dc, text) <= end.left - box.left - kTextGap; });
    SelectObject(dc, font);
    ReleaseDC(control, dc);
    SetWindowTextW(control, widen(shown).c_str());
    std::wstring whole = widen(path);
    TTTOOLINFOW tip = tipOf(window_, control);
    tip.lpszText = whole.data();
    SendMessageW(tips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tip));
}

SIZE Form1Controls::windowSize(UINT dpi) const {
    RECT frame = pixelRect(kClientArea, dpi);
    AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)), FALSE,
                             static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)), dpi);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

HBRUSH Form1Controls::paint(HWND control, HDC dc) const {
    const Look look = designOf(static_cast<ControlId>(GetDlgCtrlID(control))).look;
    if (look == Look::Plain) {
        return nullptr;
    }
    SetTextColor(dc, textColour(look));
    SetBkColor(dc, backgroundColour(look));
    switch (look) {
    case Look::Heading:
        return heading_.get();
    case Look::PathBox:
        return pathBox_.get();
    default:
        return GetSysColorBrush(COLOR_BTNFACE);
    }
}

} // namespace sintegra::app::win32
