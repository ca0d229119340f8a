#pragma once

#include <QString>

class QWidget;

namespace sintegra::app {

// The modal dialogs of the Qt window. Tests answer them without a modal loop.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // One existing SINTEGRA file, chosen in the open-file dialog opened in folder; empty when the
    // user cancels.
    virtual QString chooseSintegraFile(QWidget* parent, const QString& folder) = 0;
    // A message with an OK button; details, when given, sit behind "Mostrar detalhes...". True when
    // the user pressed "Abrir pasta", which it offers with offerFolder.
    virtual bool inform(QWidget* parent, const QString& text, const QString& details = {},
                        bool offerFolder = false) = 0;
    // Opens the folder of file in the system's file manager.
    virtual void showInFolder(const QString& file) = 0;
    // A yes-or-no question; true for yes.
    virtual bool confirm(QWidget* parent, const QString& question) = 0;
    // Closes the question that confirm shows, which then answers no.
    virtual void withdrawQuestion() = 0;
};

} // namespace sintegra::app
