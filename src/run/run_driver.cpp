#include "run/run_driver.hpp"

#include <chrono>
#include <optional>

#include "files/atomic_file.hpp"
#include "files/copy_folder.hpp"
#include "files/input_file.hpp"
#include "files/replacement.hpp"
#include "files/system_error.hpp"
#include "run/file_loading.hpp"
#include "run/messages.hpp"
#include "run/output_assembly.hpp"
#include "run/product_dedup.hpp"
#include "run/progress_reporter.hpp"
#include "run/record_dispatch.hpp"
#include "run/run_error.hpp"
#include "run/run_host.hpp"
#include "run/totals_trailer.hpp"
#include "staging/staging_store.hpp"
#include "staging/statements.hpp"

namespace sintegra {
namespace {

bool namesNoFile(const std::string& path) {
    return path.empty() || path == ".";
}

// Decided once a file has been read through: a file that holds not one line of a record type that the
// program handles would lose everything, so nothing is replaced.
void requireRecords(const StagingLoad& load, const std::string& path) {
    if (load.recognized() == 0) {
        throw RunError(messages::notSintegra(path), path);
    }
}

void resetTables(StagingStore& store, ProgressReporter& progress) {
    progress.begin(Phase::Resetting, kStagedTypeCount);
    for (StagedType type = 0; type < kStagedTypeCount; ++type) {
        store.execute(sql::deleteAll(type));
    }
    progress.finish();
}

class Run {
public:
    Run(StagingStore& store, RunHost& host, const std::filesystem::path& folder, TempRegistry* temps)
        : store_(store)
        , host_(host)
        , folder_(folder)
        , temps_(temps)
        , progress_(host)
        , stamp_(copyStamp(std::chrono::system_clock::now())) {}

    RunResult execute();

private:
    // What the output is made of: the kept lines, and how many rows the tables hold.
    struct Staged {
        KeptLines kept;
        std::uint64_t rows;
    };

    void loadSecond(const InputFile& first, const AtomicFile& normalized);
    Staged settleSecond(Mode mode, const StagingLoad& firstLoad);
    void writeOutput(const KeptLines& kept, std::uint64_t stagedRows, AtomicFile& output);
    void putInPlace(const std::vector<AtomicFile*>& files);

    StagingStore& store_;
    RunHost& host_;
    const std::filesystem::path& folder_;
    TempRegistry* temps_;
    ProgressReporter progress_;
    std::string stamp_; // the local time of the run, which names its copies
    std::optional<StagingLoad> secondLoad_;
    std::string secondPath_;
    RunSummary summary_;
};

// Both labels may name the same file: it is then read again as the run has just normalized it.
void Run::loadSecond(const InputFile& first, const AtomicFile& normalized) {
    const std::string path = host_.secondPath();
    if (namesNoFile(path)) {
        return;
    }
    std::optional<InputFile> input(std::in_place, pathFromText(path));
    if (input->sameFileAs(first)) {
        input.emplace(normalized.tempPath());
    }
    secondLoad_.emplace(store_);
    progress_.begin(Phase::LoadingSecond, input->size());
    loadSecondFile(*input, *secondLoad_, progress_);
    progress_.finish();
    secondPath_ = path;
}

// Analyse mode reads one file only, even if the host named a second one.
Run::Staged Run::settleSecond(Mode mode, const StagingLoad& firstLoad) {
    Staged staged{firstLoad.kept(), firstLoad.staged()};
    if (!secondLoad_) {
        return staged;
    }
    if (mode == Mode::Analyse) {
        secondLoad_->withdraw();
        return staged;
    }
    requireRecords(*secondLoad_, secondPath_);
    staged.kept.overlay(secondLoad_->kept());
    staged.rows += secondLoad_->staged();
    summary_.inputs.push_back({secondPath_, secondLoad_->lines()});
    for (const auto& [code, count] : secondLoad_->dropped()) {
        summary_.dropped[code] += count;
    }
    return staged;
}

void Run::writeOutput(const KeptLines& kept, std::uint64_t stagedRows, AtomicFile& output) {
    summary_.written = assembleOutput(store_, kept, stagedRows, output, progress_);
    const std::vector<std::string> totals = totalsRecords(kept.type90Prefix.value_or(""), summary_.written);
    for (std::size_t i = 0; i < totals.size(); ++i) {
        output.write(i == 0 ? "" : "\r\n");
        output.write(totals[i]);
    }
    summary_.type90Records = totals.size();
}

// The old bytes of each file replaced are kept in Copias, as part of the replace.
void Run::putInPlace(const std::vector<AtomicFile*>& files) {
    std::optional<CopyFolder> copies;
    if (host_.keepCopies()) {
        copies.emplace(folder_ / kCopiesFolderName, stamp_, temps_);
    }
    for (const ReplacedFile& file : replaceAll(files, copies ? &*copies : nullptr)) {
        if (!file.copy.empty()) {
            summary_.copies.push_back({pathText(file.target), pathText(file.copy)});
        }
    }
    if (copies) {
        copies->prune();
    }
}

RunResult Run::execute() {
    resetTables(store_, progress_);
    const std::string firstPath = host_.firstPath();
    if (namesNoFile(firstPath)) {
        return {RunStatus::NoFileSelected, {}};
    }
    InputFile first(pathFromText(firstPath));
    AtomicFile normalized(pathFromText(firstPath), temps_);
    StoreTransaction transaction(store_);
    StagingLoad firstLoad(store_);
    progress_.begin(Phase::Normalizing, first.size());
    loadFirstFile(first, normalized, firstLoad, progress_);
    progress_.finish();
    requireRecords(firstLoad, firstPath);
    summary_.inputs.push_back({firstPath, firstLoad.lines()});
    summary_.dropped = firstLoad.dropped();

    loadSecond(first, normalized);
    first.close(); // it may be replaced
    const Mode mode = host_.mode();
    const Staged staged = settleSecond(mode, firstLoad);

    progress_.begin(Phase::RemovingDuplicates, 1);
    summary_.duplicatesRemoved = removeDuplicateProducts(store_);
    transaction.commit();
    progress_.finish();

    summary_.outputPath = mode == Mode::Analyse ? firstPath : pathText(folder_ / kJoinOutputName);
    AtomicFile output(pathFromText(summary_.outputPath), temps_);
    writeOutput(staged.kept, staged.rows - summary_.duplicatesRemoved, output);

    // The last moment to stop: from here on the files are put in place. The output is written out
    // first, so that a write failing on it cannot come after the first file was replaced.
    progress_.begin(Phase::Saving, 1);
    output.prepare();
    putInPlace(mode == Mode::Join ? std::vector{&normalized, &output} : std::vector{&output});
    return {RunStatus::Completed, std::move(summary_)};
}

} // namespace

RunResult runOnce(StagingStore& store, RunHost& host, const std::filesystem::path& programFolder,
                  TempRegistry* temps) {
    return Run(store, host, programFolder, temps).execute();
}

} // namespace sintegra
