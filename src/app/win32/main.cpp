#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "app/startup.hpp"
#include "app/win32/form1.hpp"
#include "app/win32/screenshot.hpp"
#include "app/win32/win32_dialogs.hpp"
#include "files/wide_text.hpp"

using namespace sintegra::app::win32;

namespace {

int runMessageLoop(HWND window) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

} // namespace

// The staging store is prepared before the window exists; without it there is no window at all.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
    // The open-file dialog is a COM object of the shell's.
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {
        return 1;
    }
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    Win32Dialogs dialogs;
    const sintegra::app::Tell tell = [&dialogs](const std::string& text) {
        dialogs.inform(nullptr, sintegra::widen(text));
    };
    return sintegra::app::startWindow(tell, [&dialogs, show](sintegra::Runner& runner) {
        Form1 window(runner, dialogs);
        if (const auto request = screenshotRequest()) {
            return takeScreenshot(window, dialogs, *request);
        }
        window.show(show);
        return runMessageLoop(window.handle());
    });
}
