#pragma once

#include <windows.h>
#include <array>

namespace sintegra::app::win32 {

// The window's controls, by their names in the design; the value is the control's identifier.
enum class ControlId : WORD {
    FraOpcao = 100,
    OptAnalisarSintegra,
    OptJuntarSintegra,
    Label1,
    TxTFile,
    BtnLocalizar,
    Label2,
    TxtFile1,
    BtnLocalizar1,
    BtnProc,
    BtnClose,
    Prg,
    BtnVerificar,
};

// Fonts of the design: the window's own, the frame's, the headings' and the two large buttons'.
enum class FontRole { Window, Frame, Heading, Command };

// Colours of the design that a control asks its parent for.
enum class Look { Plain, Navy, Heading, PathBox };

// Left, top, width and height in twips (1440 to the inch), relative to the client area.
struct Twips {
    int left;
    int top;
    int width;
    int height;
};

struct ControlDesign {
    ControlId id;
    const wchar_t* windowClass;
    const wchar_t* text;
    DWORD style;
    Twips place;
    FontRole font;
    Look look;
};

inline constexpr Twips kClientArea{0, 0, 7125, 4185};

// In the order the window stacks them: the controls that take the keyboard by tab index, then those
// that cannot, below them, so that each "..." sits over its path row.
extern const std::array<ControlDesign, 13> kForm1Design;

const ControlDesign& designOf(ControlId id);

// Twips to pixels at dots per inch, each value rounded to the nearest pixel.
int pixels(int twips, UINT dpi);
RECT pixelRect(const Twips& place, UINT dpi);
// The LOGFONT height of a size in hundredths of a point.
int fontHeight(int centipoints, UINT dpi);
LOGFONTW fontOf(FontRole role, UINT dpi);
COLORREF textColour(Look look);
COLORREF backgroundColour(Look look);

} // namespace sintegra::app::win32
