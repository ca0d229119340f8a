#pragma once

#include <windows.h>
#include <array>
#include <memory>
#include <string_view>
#include <type_traits>

#include "app/win32/form1_design.hpp"

namespace sintegra::app::win32 {

struct GdiDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiDeleter>;
using Brush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiDeleter>;

// The controls of the design on a window: made once, then placed and given their fonts for the
// window's dots per inch, again whenever it moves to a screen of another.
class Form1Controls {
public:
    Form1Controls(HWND window, UINT dpi);

    HWND item(ControlId id) const;
    void layout(UINT dpi);
    // The window's size for a client area of the design at dpi.
    SIZE windowSize(UINT dpi) const;
    // Shows path on a path row, elided to the part left of the row's "...", and whole in its tip.
    void showPath(ControlId row, ControlId button, std::string_view path);
    // For WM_CTLCOLORSTATIC: the colours of control set on dc, and the brush of its background;
    // null for a control whose colours are the system's.
    HBRUSH paint(HWND control, HDC dc) const;

private:
    HWND window_;
    HWND tips_;                 // owned by the window, which destroys it
    std::array<Font, 4> fonts_; // by FontRole
    Brush heading_;
    Brush pathBox_;
};

} // namespace sintegra::app::win32
