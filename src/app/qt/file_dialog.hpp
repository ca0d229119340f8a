#pragma once

class QFileDialog;
class QString;

namespace sintegra::app {

// Sets up the dialog that chooses one existing SINTEGRA file: its title, its two file types with
// the SINTEGRA one in force, the folder it opens in (the user's home when none is given), and Qt's own
// dialog, whose "*.txt" ignores letter case and whose dates and sizes follow the program's language rather
// than the system's.
void configureSintegraFileDialog(QFileDialog& dialog, const QString& folder);

} // namespace sintegra::app
