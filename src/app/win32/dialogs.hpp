#pragma once

#include <windows.h>
#include <string>

namespace sintegra::app::win32 {

// The modal dialogs of the Win32 window. Tests answer them without a modal loop.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // One existing SINTEGRA file, chosen in the open-file dialog opened in folder; empty when the
    // user cancels.
    virtual std::wstring chooseSintegraFile(HWND owner, const std::wstring& folder) = 0;
    // A message with an OK button; details, when given, sit behind "Mostrar detalhes". True when the
    // user pressed "Abrir pasta", which it offers with offerFolder.
    virtual bool inform(HWND owner, const std::wstring& text, const std::wstring& details,
                        bool offerFolder = false) = 0;
    // Opens the folder of file in Explorer, the file selected.
    virtual void showInFolder(const std::wstring& file) = 0;
    // A yes-or-no question; true for yes.
    virtual bool confirm(HWND owner, const std::wstring& question) = 0;
    // Closes the question that confirm shows, which then answers no.
    virtual void withdrawQuestion() = 0;
};

} // namespace sintegra::app::win32
