#pragma once

#include <windows.h>
#include <commctrl.h>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "app/findings_list.hpp"
#include "app/win32/form1_controls.hpp"

namespace sintegra::app::win32 {

class Dialogs;

// The findings window's controls; "Fechar" is the dialogs' cancel, so that Esc closes it too.
enum class FindingsItem : WORD { Close = IDCANCEL, Counts = 200, FilterLabel, Filter, List, Save };

// The findings window drawn with Win32: the counts, the list sorted by a click on a heading and
// filtered by check, and "Salvar relatório...". The list decides the order; this only shows it.
// Made shown, owned by owner, resizable and within the screen.
class FindingsWindow {
public:
    FindingsWindow(const FindingsList& findings, Dialogs& dialogs, HWND owner);
    ~FindingsWindow();
    FindingsWindow(const FindingsWindow&) = delete;
    FindingsWindow& operator=(const FindingsWindow&) = delete;

    HWND handle() const { return window_; }
    HWND item(FindingsItem id) const { return GetDlgItem(window_, static_cast<int>(id)); }
    // Keeps the owner disabled and runs the messages of every window until this one closes.
    void runModal();

private:
    template <class Window>
    friend LRESULT CALLBACK dialogWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool ready() const { return static_cast<bool>(font_); }
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void createControls();
    void layout();
    void fill();
    void sortBy(int column);
    void showCell(NMLVDISPINFOW& cell);
    void save();
    void fitScreen(HWND owner);

    const FindingsList& findings_;
    Dialogs& dialogs_;
    HWND window_ = nullptr;
    Font font_;
    std::vector<std::size_t> rows_;   // shown, in order
    std::optional<FindingColumn> by_; // none: the list's own order
    bool descending_ = false;
    std::wstring cell_; // the text handed to the list last
};

} // namespace sintegra::app::win32
