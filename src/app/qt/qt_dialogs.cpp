#include "app/qt/qt_dialogs.hpp"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

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

void QtDialogs::inform(QWidget* parent, const QString& text, const QString& details) {
    QMessageBox box(QMessageBox::NoIcon, fromEngineText(messages::kProgramTitle), text, QMessageBox::Ok,
                    parent);
    box.setDetailedText(details);
    box.exec();
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
