#include "app/qt/screenshot.hpp"

#include <QCoreApplication>
#include <QPixmap>
#include <QRadioButton>
#include <QTimer>

#include "app/qt/form1.hpp"

namespace sintegra::app {

std::optional<ScreenshotRequest> screenshotRequest(const QStringList& arguments) {
    const qsizetype file = arguments.indexOf(QStringLiteral("--captura-de-tela"));
    if (file < 0 || file + 1 >= arguments.size()) {
        return std::nullopt;
    }
    const qsizetype mode = arguments.indexOf(QStringLiteral("--modo"));
    const bool join = mode >= 0 && arguments.value(mode + 1) == QStringLiteral("juntar");
    return ScreenshotRequest{arguments.at(file + 1), join};
}

void takeScreenshot(Form1& window, const ScreenshotRequest& request) {
    QTimer::singleShot(0, &window, [&window, request] {
        if (request.joinMode) {
            window.findChild<QRadioButton*>(QStringLiteral("OptJuntarSintegra"))->click();
        }
        QCoreApplication::exit(window.grab().save(request.file, "PNG") ? 0 : 1);
    });
}

} // namespace sintegra::app
