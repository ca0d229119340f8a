#pragma once

#include <QPointer>

#include "app/qt/dialogs.hpp"

class QMessageBox;

namespace sintegra::app {

// The real dialogs: Qt's open-file dialog and message boxes captioned with the program's title.
class QtDialogs : public Dialogs {
public:
    QString chooseSintegraFile(QWidget* parent, const QString& folder) override;
    MessageButton inform(QWidget* parent, const QString& text, bool offerDetails = false,
                         bool offerFolder = false) override;
    // Qt has no portable way to select the file: the folder opens, the file unselected.
    void showInFolder(const QString& file) override;
    void showFindings(QWidget* parent, const FindingsList& findings) override;
    QString chooseReportFile(QWidget* parent, ReportFormat& format) override;
    bool confirm(QWidget* parent, const QString& question) override;
    void withdrawQuestion() override;

private:
    QPointer<QMessageBox> question_;
};

} // namespace sintegra::app
