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

} // namespace sintegra::app
