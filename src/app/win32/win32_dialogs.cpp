#include "app/win32/win32_dialogs.hpp"

#include <commctrl.h>
#include <knownfolders.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include "app/findings_list.hpp"
#include "app/win32/findings_window.hpp"
#include "files/wide_text.hpp"
#include "words/messages.hpp"
#include "words/window_texts.hpp"

using Microsoft::WRL::ComPtr;

namespace sintegra::app::win32 {
namespace {

constexpr int kShowDetailsButton = 100;
constexpr int kOpenFolderButton = 101;

// Where the window says; else where the system remembers the program's last choice, and the first
// time in Documents rather than the working folder, which may be the program's.
void openIn(IFileDialog& dialog, const std::wstring& folder) {
    ComPtr<IShellItem> item;
    if (folder.empty()) {
        if (SUCCEEDED(
                SHGetKnownFolderItem(FOLDERID_Documents, KF_FLAG_DEFAULT, nullptr, IID_PPV_ARGS(&item)))) {
            dialog.SetDefaultFolder(item.Get());
        }
    } else if (SUCCEEDED(SHCreateItemFromParsingName(folder.c_str(), nullptr, IID_PPV_ARGS(&item)))) {
        dialog.SetFolder(item.Get());
    }
}

std::wstring chosenPath(IFileDialog& dialog) {
    ComPtr<IShellItem> item;
    PWSTR path = nullptr;
    if (FAILED(dialog.GetResult(&item)) || FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
        return {};
    }
    std::wstring chosen(path);
    CoTaskMemFree(path);
    return chosen;
}

TASKDIALOGCONFIG messageConfig(HWND owner, const std::wstring& title, const std::wstring& text) {
    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof config;
    config.hwndParent = owner;
    config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_POSITION_RELATIVE_TO_WINDOW;
    config.pszWindowTitle = title.c_str();
    config.pszContent = text.c_str();
    return config;
}

} // namespace

std::wstring Win32Dialogs::chooseSintegraFile(HWND owner, const std::wstring& folder) {
    ComPtr<IFileOpenDialog> dialog;
    if (FAILED(
            CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog)))) {
        return {};
    }
    const std::wstring title = widen(texts::kDialogTitle);
    const std::wstring sintegra = widen(texts::kSintegraFiles);
    const std::wstring all = widen(texts::kAllFiles);
    const COMDLG_FILTERSPEC types[] = {{sintegra.c_str(), L"*.txt"}, {all.c_str(), L"*.*"}};
    dialog->SetTitle(title.c_str());
    dialog->SetFileTypes(2, types);
    dialog->SetFileTypeIndex(1);
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_FILEMUSTEXIST | FOS_PATHMUSTEXIST | FOS_FORCEFILESYSTEM |
                       FOS_NOCHANGEDIR);
    openIn(*dialog.Get(), folder);
    if (FAILED(dialog->Show(owner))) {
        return {}; // cancelled
    }
    return chosenPath(*dialog.Get());
}

MessageButton Win32Dialogs::inform(HWND owner, const std::wstring& text, bool offerDetails,
                                   bool offerFolder) {
    const std::wstring title = widen(messages::kProgramTitle);
    const std::wstring show = widen(texts::kShowDetails);
    const std::wstring open = widen(texts::kOpenFolder);
    TASKDIALOG_BUTTON buttons[2]{};
    UINT offered = 0;
    if (offerDetails) {
        buttons[offered++] = {kShowDetailsButton, show.c_str()};
    }
    if (offerFolder) {
        buttons[offered++] = {kOpenFolderButton, open.c_str()};
    }
    TASKDIALOGCONFIG config = messageConfig(owner, title, text);
    config.dwCommonButtons = TDCBF_OK_BUTTON;
    config.nDefaultButton = IDOK;
    config.cButtons = offered;
    config.pButtons = buttons;
    int pressed = IDOK;
    if (FAILED(TaskDialogIndirect(&config, &pressed, nullptr, nullptr))) {
        // Out of memory or resources: the words still reach the user.
        MessageBoxW(owner, text.c_str(), title.c_str(), MB_OK);
    }
    switch (pressed) {
    case kShowDetailsButton:
        return MessageButton::Details;
    case kOpenFolderButton:
        return MessageButton::Folder;
    default:
        return MessageButton::Ok;
    }
}

void Win32Dialogs::showInFolder(const std::wstring& file) {
    PIDLIST_ABSOLUTE item = nullptr;
    if (SUCCEEDED(SHParseDisplayName(file.c_str(), nullptr, &item, 0, nullptr))) {
        SHOpenFolderAndSelectItems(item, 0, nullptr, 0);
        CoTaskMemFree(item);
    }
}

void Win32Dialogs::showFindings(HWND owner, const FindingsList& findings) {
    FindingsWindow window(findings, *this, owner);
    window.runModal();
}

std::wstring Win32Dialogs::chooseReportFile(HWND owner, ReportFormat& format) {
    ComPtr<IFileSaveDialog> dialog;
    if (FAILED(
            CoCreateInstance(CLSID_FileSaveDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog)))) {
        return {};
    }
    const std::wstring title = widen(texts::kSaveReportTitle);
    const std::wstring text = widen(texts::kTextReport);
    const std::wstring csv = widen(texts::kCsvReport);
    const COMDLG_FILTERSPEC types[] = {{text.c_str(), L"*.txt"}, {csv.c_str(), L"*.csv"}};
    dialog->SetTitle(title.c_str());
    dialog->SetFileTypes(2, types);
    dialog->SetFileTypeIndex(1);
    // The extension follows the type chosen.
    dialog->SetDefaultExtension(L"txt");
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_OVERWRITEPROMPT | FOS_FORCEFILESYSTEM | FOS_NOCHANGEDIR);
    if (FAILED(dialog->Show(owner))) {
        return {}; // cancelled
    }
    UINT type = 1;
    dialog->GetFileTypeIndex(&type);
    format = type == 2 ? ReportFormat::Csv : ReportFormat::Text;
    return chosenPath(*dialog.Get());
}

bool Win32Dialogs::confirm(HWND owner, const std::wstring& question) {
    const std::wstring title = widen(messages::kProgramTitle);
    const std::wstring yes = widen(texts::kYes);
    const std::wstring no = widen(texts::kNo);
    const TASKDIALOG_BUTTON buttons[] = {{IDYES, yes.c_str()}, {IDNO, no.c_str()}};
    TASKDIALOGCONFIG config = messageConfig(owner, title, question);
    config.cButtons = 2;
    config.pButtons = buttons;
    config.nDefaultButton = IDNO;
    config.pfCallback = trackQuestion;
    config.lpCallbackData = reinterpret_cast<LONG_PTR>(this);
    int pressed = IDNO;
    const HRESULT shown = TaskDialogIndirect(&config, &pressed, nullptr, nullptr);
    question_ = nullptr;
    return SUCCEEDED(shown) && pressed == IDYES;
}

void Win32Dialogs::withdrawQuestion() {
    if (question_ != nullptr) {
        SendMessageW(question_, TDM_CLICK_BUTTON, IDNO, 0);
    }
}

HRESULT CALLBACK Win32Dialogs::trackQuestion(HWND dialog, UINT notification, WPARAM, LPARAM, LONG_PTR self) {
    if (notification == TDN_CREATED) {
        reinterpret_cast<Win32Dialogs*>(self)->question_ = dialog;
    }
    return S_OK;
}

} // namespace sintegra::app::win32
