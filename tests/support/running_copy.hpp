#pragma once

#include <filesystem>

#include "support/process.hpp"

namespace sintegra::test {

// A copy of sintegra-orv-cli stopped in the middle of a run while it holds its program folder, as
// another copy of the program started there meanwhile finds it.
class RunningCopy {
public:
    // Starts the analysis of a large file made in userFolder and stops it once it holds
    // programFolder, which holds no Sintegra.mdb yet.
    RunningCopy(const std::filesystem::path& programFolder, const std::filesystem::path& userFolder);

    // Lets the run go on and waits for its end.
    ProcessResult finish();
    // Interrupts the run as Process::interrupt does, lets it go on and waits for its end.
    ProcessResult interrupt(int signal = SIGINT);

private:
    Process process_;
};

} // namespace sintegra::test
