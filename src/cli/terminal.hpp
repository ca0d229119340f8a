#pragma once

#include <atomic>

// What the command line asks of the terminal it runs in, per system: terminal_<system>.cpp.
namespace sintegra::cli {

// Whether standard error is a terminal (a console on Windows), where a progress bar can be drawn.
bool standardErrorIsTerminal();

// From now on, a request to stop the program sets the flag returned instead of ending it: Ctrl-C,
// SIGTERM and SIGHUP on POSIX, Ctrl-Break and the closing of the console on Windows.
const std::atomic<bool>& catchInterrupts();

} // namespace sintegra::cli
