#include <iostream>

#include "cli/command_line.hpp"

int main(int argc, char** argv) {
    return sintegra::cli::runCommandLine(argc, argv, std::cout, std::cerr);
}
