#include "cli/terminal.hpp"

#include <csignal>
#include <unistd.h>

namespace sintegra::cli {
namespace {

std::atomic<bool> interrupted{false};

extern "C" void onInterrupt(int) {
    interrupted.store(true);
}

} // namespace

bool standardErrorIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}

const std::atomic<bool>& catchInterrupts() {
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
    // A terminal closed under a run: stopping it the same way leaves no temporary file behind.
    std::signal(SIGHUP, onInterrupt);
    return interrupted;
}

} // namespace sintegra::cli
