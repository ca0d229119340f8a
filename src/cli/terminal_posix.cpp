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
    return interrupted;
}

} // namespace sintegra::cli
