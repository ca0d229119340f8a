#include "run/runner.hpp"

#include "errors/file_errors.hpp"
#include "files/file_size_limit.hpp"
#include "files/folder_lock.hpp"
#include "run/pipeline/progress_reporter.hpp"
#include "run/run.hpp"
#include "staging/staging_store.hpp"

namespace sintegra {
namespace {

void requireFolder(const std::filesystem::path& folder) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        throw fileError(ErrorKind::ProgramFolderMissing, folder, {});
    }
}

// Whether the folder had to be made.
bool makeFolder(const std::filesystem::path& folder) {
    std::error_code error;
    const bool made = std::filesystem::create_directories(folder, error);
    if (error) {
        throw fileError(ErrorKind::CannotCreateFolder, folder, error);
    }
    return made;
}

} // namespace

Runner::Runner(const ProgramFolders& folders)
    : folder_(folders.data) {
    try {
        start(folders);
    } catch (...) {
        throw errorOf(std::current_exception());
    }
}

Runner::Runner(const std::filesystem::path& programFolder)
    : Runner(programFoldersAt(programFolder)) {}

Runner::~Runner() = default;

// The user's data folder is made on first use, and nothing is made before the template is known to
// be there. A folder that the user names must exist.
void Runner::start(const ProgramFolders& folders) {
    failWritesPastSizeLimit();
    if (!folders.createData) {
        requireFolder(folders.data);
    }
    const std::filesystem::path templateFile = folders.templates / kTemplateFileName;
    requireTemplate(templateFile);
    const bool madeFolder = folders.createData && makeFolder(folders.data);
    try {
        lock_ = std::make_unique<FolderLock>(folder_);
        store_ = std::make_unique<StagingStore>(folder_, templateFile);
    } catch (...) {
        leaveNothingBehind(madeFolder);
        throw;
    }
}

// What another copy holds is not ours to remove: only a folder that this start took is cleaned.
void Runner::leaveNothingBehind(bool madeFolder) noexcept {
    if (lock_) {
        try {
            removeStore(folder_);
        } catch (const Error&) {
            // Then it was there before, and stays.
        }
        lock_->removeIfCreated();
        lock_.reset();
    }
    if (madeFolder) {
        std::error_code ignored;
        std::filesystem::remove(folder_, ignored);
    }
}

RunResult Runner::run(const RunRequest& request, ProgressSink& sink) {
    try {
        return sintegra::run(*store_, request, sink, folder_, lock_.get());
    } catch (const RunCancelled&) {
        return {RunStatus::Cancelled, {}};
    } catch (...) {
        throw errorOf(std::current_exception());
    }
}

} // namespace sintegra
