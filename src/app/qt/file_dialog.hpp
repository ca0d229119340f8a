#pragma once

class QFileDialog;

namespace sintegra::app {

// Sets up the dialog that chooses one existing SINTEGRA file: its title, its two file types with
// the SINTEGRA one in force, and Qt's own dialog, whose "*.txt" ignores letter case.
void configureSintegraFileDialog(QFileDialog& dialog);

} // namespace sintegra::app
