#pragma once

#include <optional>
#include <string>

namespace sintegra::app::win32 {

class Form1;

class Dialogs;

// "--captura-de-tela FILE [--modo juntar]": a picture of the window for the documentation, or with
// "--verificar ARQUIVO" of the findings window.
struct ScreenshotRequest {
    std::wstring file;
    bool joinMode = false;
    std::wstring verified; // the file whose findings are shown
};

std::optional<ScreenshotRequest> screenshotRequest();

// Shows the window in the mode asked for, saves a PNG of it, frame included, as the screen shows it,
// and returns the program's exit status.
int takeScreenshot(Form1& window, Dialogs& dialogs, const ScreenshotRequest& request);

} // namespace sintegra::app::win32
