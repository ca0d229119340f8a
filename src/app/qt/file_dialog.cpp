#include "app/qt/file_dialog.hpp"

#include <QFileDialog>

#include "app/qt/qt_text.hpp"
#include "app/window_texts.hpp"

namespace sintegra::app {

void configureSintegraFileDialog(QFileDialog& dialog, const QString& folder) {
    // First: the options decide which dialog the other settings go to.
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    dialog.setWindowTitle(fromEngineText(texts::kDialogTitle));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDirectory(folder);
    // The list shows only the description of each type; the last parentheses hold its patterns. So
    // "Todos arquivos (*.*)" is what the user reads, and "*" lists names without a dot as well.
    const QString sintegraFiles = fromEngineText(texts::kSintegraFiles) + QStringLiteral(" (*.txt)");
    dialog.setNameFilters({sintegraFiles, fromEngineText(texts::kAllFiles) + QStringLiteral(" (*)")});
    dialog.selectNameFilter(sintegraFiles);
}

} // namespace sintegra::app
