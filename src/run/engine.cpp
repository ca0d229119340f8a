#include "run/engine.hpp"

#include "files/folder_lock.hpp"
#include "files/system_error.hpp"
#include "run/messages.hpp"
#include "run/progress_reporter.hpp"
#include "run/run_driver.hpp"
#include "run/run_error.hpp"
#include "staging/staging_store.hpp"
#include "staging/store_error.hpp"

namespace sintegra {
namespace {

RunError withFilesUnchanged(const std::runtime_error& error, const std::string& file, std::uint64_t line) {
    return RunError(std::string(error.what()) + " " + std::string(messages::kFilesUnchanged), file, line);
}

std::filesystem::path existingFolder(std::filesystem::path folder) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        throw RunError("A pasta do programa \"" + pathText(folder) + "\" não existe.", pathText(folder));
    }
    return folder;
}

std::unique_ptr<FolderLock> lockFolder(const std::filesystem::path& folder) {
    try {
        return std::make_unique<FolderLock>(folder);
    } catch (const FolderInUse&) {
        throw RunError(std::string(messages::kFolderInUse), pathText(folder));
    } catch (const FileError& error) {
        throw RunError(error.what(), pathText(error.path()));
    }
}

} // namespace

Engine::Engine(std::filesystem::path programFolder)
    : folder_(existingFolder(std::move(programFolder)))
    , lock_(lockFolder(folder_)) {
    try {
        store_ = std::make_unique<StagingStore>(folder_);
    } catch (const StoreError& error) {
        throw RunError(error.what(), error.file());
    }
}

Engine::~Engine() = default;

RunResult Engine::run(RunHost& host) {
    try {
        return runOnce(*store_, host, folder_, lock_.get());
    } catch (const RunCancelled&) {
        return {RunStatus::Cancelled, {}};
    } catch (const RunError& error) {
        throw withFilesUnchanged(error, error.file(), error.line());
    } catch (const StoreError& error) {
        throw withFilesUnchanged(error, error.file(), 0);
    } catch (const FileError& error) {
        throw withFilesUnchanged(error, pathText(error.path()), 0);
    }
}

} // namespace sintegra
