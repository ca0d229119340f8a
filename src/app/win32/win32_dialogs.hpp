#pragma once

#include "app/win32/dialogs.hpp"

namespace sintegra::app::win32 {

// The real dialogs: the system's open-file dialog, and task dialogs without an icon captioned with
// the program's title. A task dialog, unlike a message box, can be closed by the program.
class Win32Dialogs : public Dialogs {
public:
    std::wstring chooseSintegraFile(HWND owner, const std::wstring& folder) override;
    MessageButton inform(HWND owner, const std::wstring& text, bool offerDetails = false,
                         bool offerFolder = false) override;
    void showInFolder(const std::wstring& file) override;
    void showFindings(HWND owner, const FindingsList& findings) override;
    std::wstring chooseReportFile(HWND owner, ReportFormat& format) override;
    bool confirm(HWND owner, const std::wstring& question) override;
    void withdrawQuestion() override;

private:
    static HRESULT CALLBACK trackQuestion(HWND dialog, UINT notification, WPARAM, LPARAM, LONG_PTR self);

    HWND question_ = nullptr; // the question on screen, which withdrawQuestion closes
};

} // namespace sintegra::app::win32
