#pragma once

#include <optional>

#include <QString>
#include <QStringList>

namespace sintegra::app {

class Form1;

class Dialogs;

// A picture of the window for the documentation, asked for with the hidden options
// "--captura-de-tela FILE" and "--modo juntar", or of the findings window with "--verificar ARQUIVO":
// the program saves it and ends.
struct ScreenshotRequest {
    QString file;
    bool joinMode = false;
    QString verified; // the file whose findings are shown
};

std::optional<ScreenshotRequest> screenshotRequest(const QStringList& arguments);

// Once the event loop runs: sets the mode, saves the picture and ends the loop, with status 1
// when the picture could not be saved.
void takeScreenshot(Form1& window, Dialogs& dialogs, const ScreenshotRequest& request);

} // namespace sintegra::app
