#include "app/win32/form1_design.hpp"

#include <algorithm>
#include <commctrl.h>
#include <cwchar>

namespace sintegra::app::win32 {
namespace {

constexpr DWORD kButton = WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON;
constexpr DWORD kHeading = WS_GROUP | SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE;
// Elided by the window, to the part left of its "..."; SS_NOTIFY lets the mouse reach its tip.
constexpr DWORD kPath = WS_GROUP | SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE | SS_NOTIFY;
// The option buttons sit in FraOpcao, whose corner is at 120, 0; they are the window's children,
// so that their clicks reach it.
constexpr int kFrameLeft = 120;

struct FontDesign {
    const wchar_t* face;
    int centipoints;
    bool bold;
};

// "MS Sans Serif" of the design is a bitmap font that does not scale; Windows names its outline
// successor so.
FontDesign fontDesign(FontRole role) {
    switch (role) {
    case FontRole::Frame:
        return {L"Tahoma", 1575, true};
    case FontRole::Heading:
        return {L"Tahoma", 825, true};
    case FontRole::Command:
        return {L"Microsoft Sans Serif", 825, true};
    case FontRole::Window:
        break;
    }
    return {L"Microsoft Sans Serif", 825, false};
}

} // namespace

const std::array<ControlDesign, 13> kForm1Design = {{
    {ControlId::BtnProc,
     WC_BUTTONW,
     L"Analisar",
     kButton,
     {600, 3120, 2570, 435},
     FontRole::Command,
     Look::Plain},
    {ControlId::BtnClose,
     WC_BUTTONW,
     L"Sair",
     kButton,
     {3840, 3120, 2570, 435},
     FontRole::Command,
     Look::Plain},
    {ControlId::BtnVerificar,
     WC_BUTTONW,
     L"Verificar",
     kButton,
     {5160, 1020, 1815, 375},
     FontRole::Command,
     Look::Plain},
    {ControlId::BtnLocalizar,
     WC_BUTTONW,
     L"...",
     kButton,
     {6540, 1695, 400, 350},
     FontRole::Window,
     Look::Plain},
    {ControlId::Prg, PROGRESS_CLASSW, L"", WS_GROUP, {120, 3720, 6855, 255}, FontRole::Window, Look::Plain},
    {ControlId::BtnLocalizar1,
     WC_BUTTONW,
     L"...",
     kButton,
     {6540, 2535, 400, 350},
     FontRole::Window,
     Look::Plain},
    {ControlId::OptAnalisarSintegra,
     WC_BUTTONW,
     L"Analisar Sintegra",
     WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON,
     {kFrameLeft + 240, 480, 3135, 375},
     FontRole::Frame,
     Look::Navy},
    {ControlId::OptJuntarSintegra,
     WC_BUTTONW,
     L"Juntar Sintegra",
     BS_AUTORADIOBUTTON,
     {kFrameLeft + 3960, 480, 2775, 375},
     FontRole::Frame,
     Look::Navy},
    {ControlId::TxTFile, WC_STATICW, L".", kPath, {120, 1680, 6855, 375}, FontRole::Window, Look::PathBox},
    {ControlId::TxtFile1, WC_STATICW, L".", kPath, {120, 2520, 6855, 375}, FontRole::Window, Look::PathBox},
    {ControlId::Label1,
     WC_STATICW,
     L"CAMINHO DO ARQUIVOS DO ORV® DOS",
     kHeading,
     {120, 1440, 6855, 255},
     FontRole::Heading,
     Look::Heading},
    {ControlId::Label2,
     WC_STATICW,
     L"CAMINHO DO ARQUIVOS DO ORV® WINDOWS",
     kHeading,
     {120, 2280, 6855, 255},
     FontRole::Heading,
     Look::Heading},
    {ControlId::FraOpcao,
     WC_BUTTONW,
     L"Opcao",
     WS_GROUP | BS_GROUPBOX,
     {120, 0, 6855, 975},
     FontRole::Frame,
     Look::Navy},
}};

const ControlDesign& designOf(ControlId id) {
    return *std::ranges::find(kForm1Design, id, &ControlDesign::id);
}

int pixels(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), 1440);
}

RECT pixelRect(const Twips& place, UINT dpi) {
    const int left = pixels(place.left, dpi);
    const int top = pixels(place.top, dpi);
    return {left, top, left + pixels(place.width, dpi), top + pixels(place.height, dpi)};
}

int fontHeight(int centipoints, UINT dpi) {
    return -MulDiv(centipoints, static_cast<int>(dpi), 7200);
}

LOGFONTW fontOf(FontRole role, UINT dpi) {
    const FontDesign design = fontDesign(role);
    LOGFONTW font{};
    font.lfHeight = fontHeight(design.centipoints, dpi);
    font.lfWeight = design.bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    std::wcsncpy(font.lfFaceName, design.face, LF_FACESIZE - 1);
    return font;
}

COLORREF textColour(Look look) {
    switch (look) {
    case Look::Navy:
        return RGB(0x00, 0x00, 0x80);
    case Look::Heading:
        return RGB(0xFF, 0xFF, 0x00);
    case Look::Plain:
    case Look::PathBox:
        break;
    }
    return GetSysColor(COLOR_WINDOWTEXT);
}

COLORREF backgroundColour(Look look) {
    switch (look) {
    case Look::Heading:
        return RGB(0x00, 0x00, 0xFF);
    case Look::PathBox:
        return RGB(0xFF, 0xFF, 0xC0);
    case Look::Plain:
    case Look::Navy:
        break;
    }
    return GetSysColor(COLOR_BTNFACE);
}

} // namespace sintegra::app::win32
