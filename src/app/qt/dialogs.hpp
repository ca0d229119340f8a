#pragma once

#include <QString>

#include "app/message_button.hpp"

class QWidget;

namespace sintegra::app {

class FindingsList;
enum class ReportFormat;

// The modal dialogs of the Qt window. Tests answer them without a modal loop.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // One existing SINTEGRA file, chosen in the open-file dialog opened in folder; empty when the
    // user cancels.
    virtual QString chooseSintegraFile(QWidget* parent, const QString& folder) = 0;
    // A message with an OK button, and "Mostrar detalhes..." and "Abrir pasta" when offered; which
    // of them closed it.
    virtual MessageButton inform(QWidget* parent, const QString& text, bool offerDetails = false,
                                 bool offerFolder = false) = 0;
    // Opens the folder of file in the system's file manager.
    virtual void showInFolder(const QString& file) = 0;
    // The findings window, until the user closes it.
    virtual void showFindings(QWidget* parent, const FindingsList& findings) = 0;
    // Where to save a report, and as which type; empty when the user cancels.
    virtual QString chooseReportFile(QWidget* parent, ReportFormat& format) = 0;
    // A yes-or-no question; true for yes.
    virtual bool confirm(QWidget* parent, const QString& question) = 0;
    // Closes the question that confirm shows, which then answers no.
    virtual void withdrawQuestion() = 0;
};

} // namespace sintegra::app
