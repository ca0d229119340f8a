#pragma once

#include <QPointer>

#include "app/qt/dialogs.hpp"

class QMessageBox;

namespace sintegra::app {

// The real dialogs: Qt's open-file dialog and message boxes captioned with the program's title.
class QtDialogs : public Dialogs {
public:
    QString chooseSintegraFile(QWidget* parent, const QString& folder) override;
    void inform(QWidget* parent, const QString& text, const QString& details = {}) override;
    bool confirm(QWidget* parent, const QString& question) override;
    void withdrawQuestion() override;

private:
    QPointer<QMessageBox> question_;
};

} // namespace sintegra::app
