#include "app/startup.hpp"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/dialogs.hpp"
#include "app/qt_text.hpp"
#include "files/program_folder.hpp"
#include "files/system_error.hpp"
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

namespace {

std::unique_ptr<Engine> startEngine(const ProgramFolders& folders, Dialogs& dialogs) {
    try {
        return std::make_unique<Engine>(folders);
    } catch (const RunError& error) {
        dialogs.inform(nullptr, fromEngineText(error.what()));
        return nullptr;
    }
}

} // namespace

std::unique_ptr<Engine> openEngine(const QString& programFolder, Dialogs& dialogs) {
    return startEngine(programFoldersAt(pathFromText(toEnginePath(programFolder))), dialogs);
}

std::unique_ptr<Engine> openEngine(Dialogs& dialogs) {
    return startEngine(defaultProgramFolders(), dialogs);
}

} // namespace sintegra::app
