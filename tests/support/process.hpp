#pragma once

#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

#include "support/temp_folder.hpp"

namespace sintegra::test {

struct ProcessResult {
    int status = -1; // exit status, or 128 + signal
    std::string out;
    std::string err;
    long peakKib = 0; // the most memory the program had resident, or the test's, if it holds more
};

// A program started with the given arguments (argv[0] included), its output captured. One still
// running at the end is killed.
class Process {
public:
    explicit Process(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv = {});
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    void signal(int number) const;
    // Stops the program where it is, until signal(SIGCONT); false when it had already ended.
    bool stop();
    // Waits until the program ends.
    ProcessResult wait();

private:
    TempFolder capture_;
    pid_t pid_ = -1;
};

// Runs a program and waits for it.
ProcessResult runProcess(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv = {});

// Runs sintegra-orv-cli with the given arguments.
ProcessResult runCli(const std::vector<std::string>& arguments,
                     const std::vector<std::string>& extraEnv = {});
// The command that runs sintegra-orv-cli with the given arguments, for Process.
std::vector<std::string> cliCommand(const std::vector<std::string>& arguments);

// Runs body in a forked copy of this process, for what must not touch the test's own process (a
// file-size limit, another user); out holds what body returned, status its exit status.
ProcessResult runForked(const std::function<std::string()>& body);

} // namespace sintegra::test
