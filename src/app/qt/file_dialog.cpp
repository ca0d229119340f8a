#include "app/qt/file_dialog.hpp"

#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>

#include "app/qt/qt_text.hpp"
#include "words/window_texts.hpp"

namespace sintegra::app {
namespace {

// Qt's list of files writes sizes and dates in the system's language; the program speaks Brazilian
// Portuguese whatever the system's is.
class LocalFileDetails : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role == Qt::DisplayRole && files != nullptr) {
            const QModelIndex source = mapToSource(index);
            if (index.column() == kSizeColumn && !files->isDir(source)) {
                return QLocale().formattedDataSize(files->size(source));
            }
            if (index.column() == kDateColumn) {
                return QLocale().toString(files->lastModified(source), QLocale::ShortFormat);
            }
        }
        return QIdentityProxyModel::data(index, role);
    }

private:
    static constexpr int kSizeColumn = 1;
    static constexpr int kDateColumn = 3;
};

} // namespace

void configureSintegraFileDialog(QFileDialog& dialog, const QString& folder) {
    // First: the options decide which dialog the other settings go to.
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    dialog.setProxyModel(new LocalFileDetails(&dialog));
    dialog.setWindowTitle(fromEngineText(texts::kDialogTitle));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // Qt's own dialog would start in the working folder, which may be the program's.
    dialog.setDirectory(folder.isEmpty() ? QDir::homePath() : folder);
    // The list shows only the description of each type; the last parentheses hold its patterns. So
    // "Todos arquivos (*.*)" is what the user reads, and "*" lists names without a dot as well.
    const QString sintegraFiles = fromEngineText(texts::kSintegraFiles) + QStringLiteral(" (*.txt)");
    dialog.setNameFilters({sintegraFiles, fromEngineText(texts::kAllFiles) + QStringLiteral(" (*)")});
    dialog.selectNameFilter(sintegraFiles);
}

} // namespace sintegra::app
