#pragma once

#include <windows.h>
#include <string>

#include "app/message_button.hpp"

namespace sintegra::app {
class FindingsList;
enum class ReportFormat;
} // namespace sintegra::app

namespace sintegra::app::win32 {

// The modal dialogs of the Win32 window. Tests answer them without a modal loop.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // One existing SINTEGRA file, chosen in the open-file dialog opened in folder; empty when the
    // user cancels.
    virtual std::wstring chooseSintegraFile(HWND owner, const std::wstring& folder) = 0;
    // A message with an OK button, and "Mostrar detalhes..." and "Abrir pasta" when offered; which
    // of them closed it.
    virtual MessageButton inform(HWND owner, const std::wstring& text, bool offerDetails = false,
                                 bool offerFolder = false) = 0;
    // Opens the folder of file in Explorer, the file selected.
    virtual void showInFolder(const std::wstring& file) = 0;
    // The findings window, until the user closes it.
    virtual void showFindings(HWND owner, const FindingsList& findings) = 0;
    // Where to save a report, and as which type; empty when the user cancels.
    virtual std::wstring chooseReportFile(HWND owner, ReportFormat& format) = 0;
    // A yes-or-no question; true for yes.
    virtual bool confirm(HWND owner, const std::wstring& question) = 0;
    // Closes the question that confirm shows, which then answers no.
    virtual void withdrawQuestion() = 0;
};

} // namespace sintegra::app::win32
