#include "cli/terminal.hpp"

#include <windows.h>

namespace sintegra::cli {
namespace {

std::atomic<bool> interrupted{false};

// Called on a thread of its own. A console being closed ends the program as soon as this returns,
// or a few seconds later whatever it does: it waits instead, while the run stops as for Ctrl-C and
// removes its temporary files, and the program's own end ends the wait.
BOOL WINAPI onControl(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) {
        return FALSE;
    }
    interrupted.store(true);
    if (event == CTRL_CLOSE_EVENT) {
        Sleep(INFINITE);
    }
    return TRUE;
}

} // namespace

bool standardErrorIsTerminal() {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

const std::atomic<bool>& catchInterrupts() {
    SetConsoleCtrlHandler(onControl, TRUE);
    return interrupted;
}

} // namespace sintegra::cli
