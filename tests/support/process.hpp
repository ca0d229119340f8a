#pragma once

#include <string>
#include <vector>

namespace sintegra::test {

struct ProcessResult {
    int status = -1; // exit status, or 128 + signal
    std::string out;
    std::string err;
};

// Runs a program with the given arguments (argv[0] included) and waits for it.
ProcessResult runProcess(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv = {});

// Runs sintegra-orv-cli with the given arguments.
ProcessResult runCli(const std::vector<std::string>& arguments,
                     const std::vector<std::string>& extraEnv = {});

} // namespace sintegra::test
