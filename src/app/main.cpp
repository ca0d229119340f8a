#include <QApplication>
#include <QScreen>

#include "app/form1.hpp"
#include "app/qt_dialogs.hpp"
#include "app/screenshot.hpp"
#include "app/startup.hpp"
#include "run/engine.hpp"

using namespace sintegra::app;

// The staging store is prepared before the window exists; without it there is no window at all.
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    installPortugueseQtTexts(application);
    QtDialogs dialogs;
    const std::unique_ptr<sintegra::Engine> engine = openEngine(dialogs);
    if (!engine) {
        return 1;
    }
    Form1 window(*engine, dialogs);
    window.move(window.screen()->availableGeometry().center() - window.rect().center());
    window.show();
    if (const auto request = screenshotRequest(QApplication::arguments())) {
        takeScreenshot(window, *request);
    }
    return QApplication::exec();
}
