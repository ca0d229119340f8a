#pragma once

#include <QPointer>

#include "app/qt/dialogs.hpp"

class QMessageBox;

namespace sintegra::app {

// The real dialogs: Qt's open-file dialog and message boxes captioned with the program's title.
class QtDialogs : public Dialogs {
public:
    QString chooseSintegraFile(QWidget* parent, const QString& folder) override;
    bool inform(QWidget* parent, const QString& text, bool offerDetails = false) override;
    void showFindings(QWidget* parent, const FindingsList& findings) override;
    QString chooseReportFile(QWidget* parent, ReportFormat& format) override;
    bool confirm(QWidget* parent, const QString& question) override;
    void withdrawQuestion() override;

private:
    QPointer<QMessageBox> question_;
};

} // namespace sintegra::app
