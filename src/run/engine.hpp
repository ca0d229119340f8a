#pragma once

#include <filesystem>
#include <memory>

#include "run/run_summary.hpp"

namespace sintegra {

class FolderLock;
class RunHost;
class StagingStore;

// The processing engine of one program folder, shared by the window and the command line. It holds
// the folder for this copy of the program and the staging store for as long as it lives.
class Engine {
public:
    // Takes the program folder, removes what a killed run left there and prepares a fresh staging
    // store from Sintegra.mod. Throws RunError, whose message names the file and the folder.
    explicit Engine(std::filesystem::path programFolder);
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Runs once with what the host says. Throws RunError when the run fails; every user file is then
    // as it was, and the message says so.
    RunResult run(RunHost& host);

    const std::filesystem::path& programFolder() const noexcept { return folder_; }

private:
    std::filesystem::path folder_;
    std::unique_ptr<FolderLock> lock_;
    std::unique_ptr<StagingStore> store_;
};

} // namespace sintegra
