#include "app/qt/file_dialog.hpp"

#include <QFileDialog>

#include "app/window_texts.hpp"

namespace sintegra::app {
namespace {

// The list shows only the description of each type; the last parentheses hold its patterns. So
// "Todos arquivos (*.*)" is what the user reads, and "*" lists names without a dot as well.
const QString kSintegraFiles = QStringLiteral("Arquivos do Sintegra do ORV (*.txt)");
const QString kAllFiles = QStringLiteral("Todos arquivos (*.*) (*)");

} // namespace

void configureSintegraFileDialog(QFileDialog& dialog) {
    // First: the options decide which dialog the other settings go to.
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    dialog.setWindowTitle(texts::kDialogTitle);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({kSintegraFiles, kAllFiles});
    dialog.selectNameFilter(kSintegraFiles);
}

} // namespace sintegra::app
