#include <csignal>
#include <iostream>

#include "cli/command_line.hpp"

// A reader that goes away (a pipe into "head", a closed terminal) makes writes fail instead of
// ending the program: a run that has replaced its file still ends as it would, with its status.
int main(int argc, char** argv) {
    std::signal(SIGPIPE, SIG_IGN);
    return sintegra::cli::runCommandLine(argc, argv, std::cout, std::cerr);
}
