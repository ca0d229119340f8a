#pragma once

#include <windows.h>

#include "app/window_view.hpp"

namespace sintegra::app::win32 {

// The bar writes its window text over itself in font; called again when the font changes.
void showPhaseOnBar(HWND bar, HFONT font);
// The bar's position, and as its text what the Qt window writes over its bar: "Gravando – 45%", the
// phase alone while it is busy, nothing between runs.
void showProgress(HWND bar, const ProgressDisplay& progress);

} // namespace sintegra::app::win32
