#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <iostream>
#include <unistd.h>

#include "cli/command_line.hpp"

namespace {

// A standard stream that was closed gets a descriptor that refuses writes: otherwise the next file
// opened would take its number, and a report or message would be written into that file.
void holdClosedStandardStreams() {
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            const int held = open("/dev/null", O_RDONLY | O_CLOEXEC);
            if (held != fd && held >= 0) {
                close(held);
            }
        }
    }
}

} // namespace

// A reader that goes away (a pipe into "head", a closed terminal) makes writes fail instead of
// ending the program: a run that has replaced its file still ends as it would, with its status.
int main(int argc, char** argv) {
    holdClosedStandardStreams();
    std::signal(SIGPIPE, SIG_IGN);
    return sintegra::cli::runCommandLine(argc, argv, std::cout, std::cerr);
}
