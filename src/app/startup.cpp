#include "app/startup.hpp"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/qt/dialogs.hpp"
#include "app/qt/qt_text.hpp"
#include "run/engine.hpp"
#include "run/run_error.hpp"

namespace sintegra::app {

void installPortugueseQtTexts(QCoreApplication& application) {
    auto* translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qtbase_pt_BR"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    }
}

std::unique_ptr<Engine> openEngine(const QString& programFolder, Dialogs& dialogs) {
    try {
        return std::make_unique<Engine>(toEnginePath(programFolder));
    } catch (const RunError& error) {
        dialogs.inform(nullptr, fromEngineText(error.what()));
        return nullptr;
    }
}

} // namespace sintegra::app
