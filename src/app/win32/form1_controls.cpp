#include "app/win32/form1_controls.hpp"

#include <commctrl.h>
#include <uxtheme.h>

#include "app/win32/group_box.hpp"
#include "app/win32/phase_bar.hpp"

namespace sintegra::app::win32 {

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
