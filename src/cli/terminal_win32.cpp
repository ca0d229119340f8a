#include "cli/terminal.hpp"

#include <windows.h>

namespace sintegra::cli {
namespace {

std::atomic<bool> interrupted{false};

// Called on a thread of its own. Closing the console is left to the system, which ends the program
// a few seconds later whatever it answers; the files stay whole, and the next start tidies up.
BOOL WINAPI onControl(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) {
        return FALSE;
    }
    interrupted.store(true);
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
