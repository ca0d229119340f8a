#pragma once

#include <windows.h>
#include <string>

#include "app/startup.hpp"
#include "files/wide_text.hpp"

namespace sintegra::app::win32 {

// Registers a window class of the dialogs' own kind, so that Tab, Enter and the focus behave as in
// any dialog. Returns 0 when the system refuses it.
ATOM registerDialogClass(const wchar_t* name, WNDPROC procedure, HICON icon = nullptr,
                         HICON smallIcon = nullptr);

// The window procedure of a Window made with itself as CreateWindowExW's last argument: it learns its
// handle (window_) on WM_NCCREATE, and once ready() it handles each message. Nothing may cross the
// system's frames: what a message throws becomes a message box (dialogs_).
template <class Window>
LRESULT CALLBACK dialogWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr || !self->ready()) {
        return DefDlgProcW(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    caught([&] { result = self->handle(message, wParam, lParam); },
           [self](const std::string& text) { self->dialogs_.inform(self->window_, widen(text)); });
    return result;
}

} // namespace sintegra::app::win32
