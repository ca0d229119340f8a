#include <QApplication>
#include <QScreen>

#include "app/qt/form1.hpp"
#include "app/qt/qt_dialogs.hpp"
#include "app/qt/qt_text.hpp"
#include "app/qt/qt_translation.hpp"
#include "app/qt/screenshot.hpp"
#include "app/startup.hpp"

using namespace sintegra::app;

// The staging store is prepared before the window exists; without it there is no window at all.
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    installPortugueseQtTexts(application);
    QtDialogs dialogs;
    const Tell tell = [&dialogs](const std::string& text) { dialogs.inform(nullptr, fromEngineText(text)); };
    return startWindow(tell, [&dialogs](sintegra::Runner& runner) {
        Form1 window(runner, dialogs);
        window.move(window.screen()->availableGeometry().center() - window.rect().center());
        window.show();
        if (const auto request = screenshotRequest(QApplication::arguments())) {
            takeScreenshot(window, dialogs, *request);
        }
        return QApplication::exec();
    });
}
