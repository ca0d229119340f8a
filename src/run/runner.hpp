#pragma once

#include <filesystem>
#include <memory>

#include "files/program_folder.hpp"
#include "run/run_summary.hpp"

namespace sintegra {

class FolderLock;
class ProgressSink;
struct RunRequest;
class StagingStore;

// The runner of one program folder, shared by the window and the command line. It holds
// the folder for this copy of the program and the staging store for as long as it lives.
class Runner {
public:
    // Takes the program folder, removes what a killed run left there and prepares a fresh staging
    // store from Sintegra.mod. From then on a write past the process's file-size limit fails as a
    // write. Throws Error, whatever failed; a start that fails leaves nothing behind.
    explicit Runner(const ProgramFolders& folders);
    // Everything in one folder.
    explicit Runner(const std::filesystem::path& programFolder);
    ~Runner();
    Runner(const Runner&) = delete;
    Runner& operator=(const Runner&) = delete;

    // Runs the request once, reporting to sink. Throws Error when the run fails; every user file is as it
    // was unless its list of files replaced says otherwise, for a replace that could not be undone.
    RunResult run(const RunRequest& request, ProgressSink& sink);

    // Where Sintegra.mdb, Sintegra.lck, Copias and the join's output are.
    const std::filesystem::path& programFolder() const noexcept { return folder_; }

private:
    void start(const ProgramFolders& folders);
    void leaveNothingBehind(bool madeFolder) noexcept;

    std::filesystem::path folder_;
    std::unique_ptr<FolderLock> lock_;
    std::unique_ptr<StagingStore> store_;
};

} // namespace sintegra
