#pragma once

#include <memory>

#include <QString>

class QCoreApplication;

namespace sintegra {
class Engine;
}

namespace sintegra::app {

class Dialogs;

// Qt's own texts (dialog buttons, the open-file dialog) in Brazilian Portuguese, when installed.
void installPortugueseQtTexts(QCoreApplication& application);

// The engine of the program folder, or none after telling the user which file of which folder
// kept it from starting.
std::unique_ptr<Engine> openEngine(const QString& programFolder, Dialogs& dialogs);
// The same in the program's own folders: the executable's, or the user's data folder when this user
// may not write there.
std::unique_ptr<Engine> openEngine(Dialogs& dialogs);

} // namespace sintegra::app
