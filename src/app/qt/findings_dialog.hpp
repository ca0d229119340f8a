#pragma once

#include <QDialog>

class QComboBox;
class QTreeWidget;

namespace sintegra::app {

class Dialogs;
class FindingsList;

// The findings window drawn with Qt: the counts, the list sorted by a click on a heading and
// filtered by check, and "Salvar relatório...". The list decides the order; this only shows it.
class FindingsDialog : public QDialog {
    Q_OBJECT

public:
    FindingsDialog(const FindingsList& findings, Dialogs& dialogs, QWidget* parent);

private:
    void fill();
    void save();
    // Within the screen that holds the window, whatever the list holds.
    void fitScreen();

    const FindingsList& findings_;
    Dialogs& dialogs_;
    QComboBox* filter_;
    QTreeWidget* list_;
};

} // namespace sintegra::app
