#pragma once

#include <optional>

#include <QString>
#include <QStringList>

namespace sintegra::app {

class Form1;

// A picture of the window for the documentation, asked for with the hidden options
// "--captura-de-tela FILE" and "--modo juntar": the program saves it and ends.
struct ScreenshotRequest {
    QString file;
    bool joinMode = false;
};

std::optional<ScreenshotRequest> screenshotRequest(const QStringList& arguments);

// Once the event loop runs: sets the mode, saves the picture and ends the loop, with status 1
// when the picture could not be saved.
void takeScreenshot(Form1& window, const ScreenshotRequest& request);

} // namespace sintegra::app
