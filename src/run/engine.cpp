#include "run/engine.hpp"

#include "run/folder_lock.hpp"
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
        throw RunError("A pasta do programa \"" + folder.string() + "\" não existe.", folder.string());
    }
    return folder;
}

} // namespace

Engine::Engine(std::filesystem::path programFolder)
    : folder_(existingFolder(std::move(programFolder)))
    , lock_(std::make_unique<FolderLock>(folder_)) {
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
    }
}

} // namespace sintegra
