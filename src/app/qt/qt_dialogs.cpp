#include "app/qt/qt_dialogs.hpp"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include "app/findings_list.hpp"
#include "app/qt/file_dialog.hpp"
#include "app/qt/findings_dialog.hpp"
#include "app/qt/qt_text.hpp"
#include "words/messages.hpp"
#include "words/window_texts.hpp"

namespace sintegra::app {

QString QtDialogs::chooseSintegraFile(QWidget* parent, const QString& folder) {
    QFileDialog dialog(parent);
    configureSintegraFileDialog(dialog, folder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

MessageButton QtDialogs::inform(QWidget* parent, const QString& text, bool offerDetails, bool offerFolder) {
    QMessageBox box(QMessageBox::NoIcon, fromEngineText(messages::kProgramTitle), text, QMessageBox::Ok,
                    parent);
    const QPushButton* details =
        offerDetails ? box.addButton(fromEngineText(texts::kShowDetails), QMessageBox::ActionRole) : nullptr;
    const QPushButton* open =
        offerFolder ? box.addButton(fromEngineText(texts::kOpenFolder), QMessageBox::ActionRole) : nullptr;
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
    if (details != nullptr && box.clickedButton() == details) {
        return MessageButton::Details;
    }
    if (open != nullptr && box.clickedButton() == open) {
        return MessageButton::Folder;
    }
    return MessageButton::Ok;
}

void QtDialogs::showInFolder(const QString& file) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(file).absolutePath()));
}

void QtDialogs::showFindings(QWidget* parent, const FindingsList& findings) {
    FindingsDialog dialog(findings, *this, parent);
    dialog.exec();
}

QString QtDialogs::chooseReportFile(QWidget* parent, ReportFormat& format) {
    const QString text = fromEngineText(texts::kTextReport) + QStringLiteral(" (*.txt)");
    const QString csv = fromEngineText(texts::kCsvReport) + QStringLiteral(" (*.csv)");
    QFileDialog dialog(parent, fromEngineText(texts::kSaveReportTitle));
    dialog.setOptions(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({text, csv});
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, csv](const QString& chosen) {
        dialog.setDefaultSuffix(chosen == csv ? QStringLiteral("csv") : QStringLiteral("txt"));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    format = dialog.selectedNameFilter() == csv ? ReportFormat::Csv : ReportFormat::Text;
    return dialog.selectedFiles().constFirst();
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
