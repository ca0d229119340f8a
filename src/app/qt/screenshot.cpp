#include "app/qt/screenshot.hpp"

#include <QCoreApplication>
#include <QPixmap>
#include <QRadioButton>
#include <QTimer>

#include "app/findings_list.hpp"
#include "app/qt/findings_dialog.hpp"
#include "app/qt/form1.hpp"
#include "app/qt/qt_text.hpp"

namespace sintegra::app {

std::optional<ScreenshotRequest> screenshotRequest(const QStringList& arguments) {
    const qsizetype file = arguments.indexOf(QStringLiteral("--captura-de-tela"));
    if (file < 0 || file + 1 >= arguments.size()) {
        return std::nullopt;
    }
    const qsizetype mode = arguments.indexOf(QStringLiteral("--modo"));
    const bool join = mode >= 0 && arguments.value(mode + 1) == QStringLiteral("juntar");
    const qsizetype verified = arguments.indexOf(QStringLiteral("--verificar"));
    return ScreenshotRequest{arguments.at(file + 1), join,
                             verified < 0 ? QString() : arguments.value(verified + 1)};
}

void takeScreenshot(Form1& window, Dialogs& dialogs, const ScreenshotRequest& request) {
    QTimer::singleShot(0, &window, [&window, &dialogs, request] {
        if (request.joinMode) {
            window.findChild<QRadioButton*>(QStringLiteral("OptJuntarSintegra"))->click();
        }
        if (request.verified.isEmpty()) {
            QCoreApplication::exit(window.grab().save(request.file, "PNG") ? 0 : 1);
            return;
        }
        const auto findings = findingsOfFile(toEnginePath(request.verified));
        FindingsDialog details(*findings, dialogs, &window);
        details.show();
        QCoreApplication::exit(details.grab().save(request.file, "PNG") ? 0 : 1);
    });
}

} // namespace sintegra::app
