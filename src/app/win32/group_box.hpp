#pragma once

#include <windows.h>

namespace sintegra::app::win32 {

// The frame draws its caption in the colours its parent gives it, as WM_CTLCOLORSTATIC promises:
// the system's group box keeps its own text colour under visual styles, and under Wine always.
void drawGroupBoxInParentColours(HWND box);

} // namespace sintegra::app::win32
