#include "app/qt/qt_dialogs.hpp"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include "app/qt/file_dialog.hpp"
#include "app/qt/qt_text.hpp"
#include "app/window_texts.hpp"
#include "run/messages.hpp"

namespace sintegra::app {

QString QtDialogs::chooseSintegraFile(QWidget* parent, const QString& folder) {
    QFileDialog dialog(parent);
    configureSintegraFileDialog(dialog, folder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

bool QtDialogs::inform(QWidget* parent, const QString& text, const QString& details, bool offerFolder) {
    QMessageBox box(QMessageBox::NoIcon, fromEngineText(messages::kProgramTitle), text, QMessageBox::Ok,
                    parent);
    box.setDetailedText(details);
    const QPushButton* open =
        offerFolder ? box.addButton(fromEngineText(texts::kOpenFolder), QMessageBox::ActionRole) : nullptr;
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
    return open != nullptr && box.clickedButton() == open;
}

void QtDialogs::showInFolder(const QString& file) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(file).absolutePath()));
}

bool QtDialogs::confirm(QWidget* parent, const QString& question) {
    QMessageBox box(QMessageBox::NoIcon, fromEngineText(messages::kProgramTitle), question,
                    QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(fromEngineText(texts::kYes), QMessageBox::YesRole);
    box.setDefaultButton(box.addButton(fromEngineText(texts::kNo), QMessageBox::NoRole));
    question_ = &box;
    box.exec();
    return box.clickedButton() == yes;
}

void QtDialogs::withdrawQuestion() {
    if (question_) {
        question_->reject();
    }
}

} // namespace sintegra::app
