#pragma once

#include <csignal>
#include <cstdint>
#include <string>
#include <vector>

#include "support/temp_folder.hpp"

namespace sintegra::test {

struct ProcessResult {
    int status = -1; // exit status, or 128 + signal on POSIX
    std::string out;
    std::string err;
    long peakKib = 0; // the most memory the program had resident (on POSIX, or the test's if larger)
};

// A program started with the given arguments (argv[0] included, all UTF-8), its output captured.
// One still running at the end is killed. process_<system>.cpp.
class Process {
public:
    explicit Process(const std::vector<std::string>& argv);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Asks the program to stop, as Ctrl-C in its terminal does; on POSIX by the signal given, such as
    // the SIGHUP of a terminal that closes.
    void interrupt(int signal = SIGINT);
    // Ends the program at once (SIGKILL, TerminateProcess).
    void kill();
    // Holds the program where it is, until resume(); false when it had already ended.
    bool pause();
    void resume();
    // Waits until the program ends.
    ProcessResult wait();

private:
    TempFolder capture_;
    std::intptr_t id_ = -1; // the pid, or the process's HANDLE
};

// Runs a program and waits for it.
ProcessResult runProcess(const std::vector<std::string>& argv);

// Runs sintegra-orv-cli with the given arguments.
ProcessResult runCli(const std::vector<std::string>& arguments);
// The command that runs sintegra-orv-cli with the given arguments, for Process.
std::vector<std::string> cliCommand(const std::vector<std::string>& arguments);

} // namespace sintegra::test
