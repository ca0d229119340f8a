#include "run/run.hpp"

#include <chrono>
#include <optional>

#include "files/atomic_file.hpp"
#include "files/copy_folder.hpp"
#include "files/input_file.hpp"
#include "files/path_text.hpp"
#include "files/replacement.hpp"
#include "run/file_loading.hpp"
#include "run/file_verification.hpp"
#include "run/output_assembly.hpp"
#include "run/pipeline/blocks.hpp"
#include "run/pipeline/pipeline.hpp"
#include "run/pipeline/progress_reporter.hpp"
#include "run/record_dispatch.hpp"
#include "run/run_checks.hpp"
#include "run/run_request.hpp"
#include "run/totals_trailer.hpp"
#include "staging/staging_store.hpp"
#include "verify/file_shape.hpp"

namespace sintegra {
namespace {

bool namesNoFile(const std::string& path) {
    return path.empty() || path == ".";
}

// Decided once a file has been read through: a file that holds not one line of a record type that the
// program handles would lose everything, so nothing is replaced. Which lines the repair takes is the
// load's business, apart from the file's shape.
void requireRecords(const StagingLoad& load, const std::string& path) {
    if (load.recognized() == 0) {
        throw notSintegra(pathFromText(path), verify::ShapeFault::NoRecord);
    }
}

// The threads of each phase's stages beside the run's own: reading beside staging, and writing the
// output beside its check.
constexpr unsigned kRunThreads = 2;

// Blocks on their way to a stage that is behind: a few, so that memory stays flat.
constexpr std::size_t kLineBlocksAhead = 4;
constexpr std::size_t kByteBlocksAhead = 2;

void resetTables(StagingStore& store, ProgressReporter& progress) {
    progress.begin(Phase::Resetting, 1);
    store.clear();
    progress.finish();
}

class Run {
public:
    Run(StagingStore& store, const RunRequest& request, ProgressSink& sink,
        const std::filesystem::path& folder, TempRegistry* temps)
        : store_(store)
        , request_(request)
        , folder_(folder)
        , temps_(temps)
        , progress_(sink)
        , stamp_(copyStamp(std::chrono::system_clock::now())) {}

    RunResult execute();

private:
    // What the output is made of: the kept lines, and how many rows the tables hold.
    struct Staged {
        KeptLines kept;
        std::uint64_t rows;
    };

    void loadFirst(InputFile& first, StagingLoad& load);
    void loadSecond(const InputFile& first);
    void passFirst(InputFile& input, StagingLoad* load, const FirstFilePass& pass);
    void readSecond(InputFile& input);
    Staged staged(const StagingLoad& firstLoad);
    void writeOutput(const KeptLines& kept, std::uint64_t stagedRows, AtomicFile& output);
    void assemble(const KeptLines& kept, std::uint64_t stagedRows, ByteBlocks& output);
    void save(AtomicFile& output, StoreTransaction& transaction);
    void putInPlace(const std::vector<AtomicFile*>& files);
    void noteRead(const std::string& path, const InputFile& input);
    void requireInputsAsRead() const;
    std::filesystem::perms leastAccess() const;

    StagingStore& store_;
    const RunRequest request_;
    const bool join_ = request_.mode == Mode::Join;
    const std::filesystem::path& folder_;
    TempRegistry* temps_;
    ProgressReporter progress_;
    std::string stamp_;                    // the local time of the run, which names its copies
    std::optional<AtomicFile> normalized_; // the first file's, in join mode
    std::optional<StagingLoad> secondLoad_;
    InputCheck firstCheck_;
    std::optional<InputCheck> secondCheck_; // none when the second file is the first one again
    Cleaning firstCleaning_;
    Cleaning secondCleaning_;
    RunSummary summary_;
    // The inputs that the output is made of, as they were when the run opened them.
    struct ReadInput {
        std::string path;
        FileStamp stamp;
        std::filesystem::perms access;
    };
    std::vector<ReadInput> inputs_;
};

// A join writes the first file's normalized form as it is read.
void Run::loadFirst(InputFile& first, StagingLoad& load) {
    if (join_) {
        normalized_.emplace(pathFromText(request_.first), temps_);
    }
    progress_.begin(Phase::Normalizing, first.size());
    passFirst(first, &load, {normalized_ ? &*normalized_ : nullptr, &firstCheck_, &firstCleaning_});
    progress_.finish();
    requireRecords(load, request_.first);
    summary_.inputs.push_back(
        {request_.first, load.lines(), load.dropped(), firstCleaning_, firstCheck_.report()});
    summary_.fittedLines = firstCheck_.fittedLines();
    summary_.fitted = firstCheck_.fitted();
}

// Analyse mode reads one file only, even if the request names a second one. Both may name the same
// file: it is then read again as the run normalized it, and the stamps of both reads must still hold
// when the files are replaced.
void Run::loadSecond(const InputFile& first) {
    const std::string& path = request_.second;
    if (!join_ || namesNoFile(path)) {
        return;
    }
    InputFile input(pathFromText(path));
    noteRead(path, input);
    secondLoad_.emplace(store_);
    progress_.begin(Phase::LoadingSecond, input.size());
    if (input.sameFileAs(first)) {
        passFirst(input, &*secondLoad_, {});
    } else {
        secondCheck_.emplace();
        readSecond(input);
    }
    progress_.finish();
    requireRecords(*secondLoad_, path);
    summary_.inputs.push_back({path, secondLoad_->lines(), secondLoad_->dropped(), secondCleaning_,
                               secondCheck_ ? std::optional(secondCheck_->report()) : std::nullopt});
}

// read → clean → split → fit → {stage rows, write the normalized file, check the input}. The file
// is read on a thread of its own while this one stages its rows, and the last run's store is deleted
// meanwhile.
void Run::passFirst(InputFile& input, StagingLoad* load, const FirstFilePass& pass) {
    Pipeline::run(kRunThreads, [&](Pipeline& pipeline) {
        if (store_.holdsSetAside()) {
            pipeline.task([this] { store_.removeSetAside(); });
        }
        pipeline.source<LineBlock>([&](Channel<LineBlock>& rows) { readFirstFile(input, rows, pass); },
                                   [&](LineBlock& lines) { stageRows(load, lines, progress_); },
                                   kLineBlocksAhead);
    });
}

// read → leave out the BOM and Ctrl-Z → split → {stage rows, check the input}, while the first
// file's normalized form goes to disk.
void Run::readSecond(InputFile& input) {
    Pipeline::run(kRunThreads, [&](Pipeline& pipeline) {
        pipeline.task([this] { normalized_->prepare(); });
        pipeline.source<LineBlock>(
            [&](Channel<LineBlock>& rows) { readSecondFile(input, rows, *secondCheck_, secondCleaning_); },
            [this](LineBlock& lines) { stageRows(&*secondLoad_, lines, progress_); }, kLineBlocksAhead);
    });
}

Run::Staged Run::staged(const StagingLoad& firstLoad) {
    Staged staged{firstLoad.kept(), firstLoad.staged()};
    if (secondLoad_) {
        staged.kept.overlay(secondLoad_->kept());
        staged.rows += secondLoad_->staged();
    }
    return staged;
}

// store → assemble → {write the output, check it}: the output is verified as it is written, on a
// thread of its own.
void Run::writeOutput(const KeptLines& kept, std::uint64_t stagedRows, AtomicFile& output) {
    OutputCheck check;
    Pipeline::run(kRunThreads, [&](Pipeline& pipeline) {
        Channel<SharedBytes>& checked = pipeline.channel<SharedBytes>(
            [&check](SharedBytes& bytes) { check.feed(*bytes); }, kByteBlocksAhead);
        Channel<SharedBytes>& written = pipeline.channel<SharedBytes>(
            [&](SharedBytes& bytes) {
                output.write(*bytes);
                checked.send(bytes);
            },
            kByteBlocksAhead);
        ByteBlocks assembled(written);
        assemble(kept, stagedRows, assembled);
    });
    check.finish();
    if (summary_.inputs.size() == 2) {
        checkJoined(firstCheck_.header(), secondCheck_ ? secondCheck_->header() : firstCheck_.header(),
                    check.report());
    }
    summary_.verification = std::move(check.report());
}

// The records of the store, then the totals.
void Run::assemble(const KeptLines& kept, std::uint64_t stagedRows, ByteBlocks& output) {
    summary_.written = assembleOutput(store_, kept, stagedRows, output, progress_);
    summary_.type10Records = kept.type10 ? 1 : 0;
    summary_.type11Records = kept.type11 ? 1 : 0;
    const std::vector<std::string> totals =
        totalsRecords(totalsPrefix(kept.type90Prefix, kept.type10), summary_.written,
                      summary_.type10Records + summary_.type11Records);
    for (std::size_t i = 0; i < totals.size(); ++i) {
        output.write(i == 0 ? "" : "\r\n");
        output.write(totals[i]);
    }
    output.flush();
    summary_.type90Records = totals.size();
}

// The last moment to stop: from here on the files are put in place. The output goes to disk while
// the store commits, and first, so that a write failing on it cannot come after the first file was
// replaced. A first file that the run would rewrite with its very bytes is left as it is, untouched
// and with no copy taken; a join's output is written all the same.
void Run::save(AtomicFile& output, StoreTransaction& transaction) {
    progress_.begin(Phase::Saving, 1);
    AtomicFile& rewritten = join_ ? *normalized_ : output;
    summary_.firstInOrder = rewritten.matchesTarget();
    std::vector<AtomicFile*> files;
    if (!summary_.firstInOrder) {
        files.push_back(&rewritten);
    }
    if (join_) {
        files.push_back(&output);
    }
    Pipeline::run(kRunThreads, [&](Pipeline& pipeline) {
        if (!files.empty()) {
            pipeline.task([&files] { files.back()->prepare(); });
        }
        transaction.commit();
    });
    if (!files.empty()) {
        putInPlace(files);
    }
}

// The old bytes of each file replaced are kept in Copias, as part of the replace. The pruning spares
// every file that the run read or wrote, should one of them be in Copias.
void Run::putInPlace(const std::vector<AtomicFile*>& files) {
    std::optional<CopyFolder> copies;
    if (request_.keepCopies) {
        copies.emplace(folder_ / kCopiesFolderName, stamp_, temps_);
    }
    for (const ReplacedFile& file :
         replaceAll(files, copies ? &*copies : nullptr, [this] { requireInputsAsRead(); })) {
        if (!file.copy.empty()) {
            summary_.copies.push_back({pathText(file.target), pathText(file.copy)});
        }
    }
    if (copies) {
        std::vector<std::filesystem::path> spared;
        for (const ReadInput& input : inputs_) {
            spared.push_back(pathFromText(input.path));
        }
        for (const AtomicFile* file : files) {
            spared.push_back(file->target());
        }
        copies->prune(spared);
    }
}

void Run::noteRead(const std::string& path, const InputFile& input) {
    inputs_.push_back({path, input.stamp(), input.permissions()});
}

// Another program may have written to an input since the run read it: a file replaced with what was
// read before would lose what it wrote.
void Run::requireInputsAsRead() const {
    for (const ReadInput& input : inputs_) {
        if (stampOf(pathFromText(input.path)) != input.stamp) {
            throw Error(ErrorKind::ChangedMeanwhile, input.path);
        }
    }
}

// The output grants no one an access that one of its inputs denies.
std::filesystem::perms Run::leastAccess() const {
    std::filesystem::perms access = std::filesystem::perms::all;
    for (const ReadInput& input : inputs_) {
        access &= input.access;
    }
    return access;
}

RunResult Run::execute() {
    resetTables(store_, progress_);
    if (namesNoFile(request_.first)) {
        return {RunStatus::NoFileSelected, {}};
    }
    InputFile first(pathFromText(request_.first));
    noteRead(request_.first, first);
    StoreTransaction transaction(store_);
    StagingLoad firstLoad(store_);
    loadFirst(first, firstLoad);
    loadSecond(first);
    first.close(); // it may be replaced
    const Staged staged = this->staged(firstLoad);

    progress_.begin(Phase::RemovingDuplicates, 1);
    summary_.duplicatesRemoved = store_.removeDuplicateProducts();
    summary_.repeatedProducts = store_.repeatedProducts();
    progress_.finish();

    summary_.outputPath = join_ ? pathText(folder_ / kJoinOutputName) : request_.first;
    AtomicFile output(pathFromText(summary_.outputPath), temps_, leastAccess(),
                      join_ ? TargetKind::OwnFile : TargetKind::UserFile);
    writeOutput(staged.kept, staged.rows - summary_.duplicatesRemoved, output);
    save(output, transaction);
    return {RunStatus::Completed, std::move(summary_)};
}

} // namespace

RunResult run(StagingStore& store, const RunRequest& request, ProgressSink& sink,
              const std::filesystem::path& programFolder, TempRegistry* temps) {
    return Run(store, request, sink, programFolder, temps).execute();
}

} // namespace sintegra
