#include "run/run_driver.hpp"

#include <chrono>
#include <optional>

#include "files/atomic_file.hpp"
#include "files/copy_folder.hpp"
#include "files/input_file.hpp"
#include "files/path_text.hpp"
#include "files/replacement.hpp"
#include "run/blocks.hpp"
#include "run/file_loading.hpp"
#include "run/file_verification.hpp"
#include "run/output_assembly.hpp"
#include "run/pipeline.hpp"
#include "run/progress_reporter.hpp"
#include "run/record_dispatch.hpp"
#include "run/run_checks.hpp"
#include "run/run_host.hpp"
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
    Run(StagingStore& store, RunHost& host, const std::filesystem::path& folder, TempRegistry* temps,
        unsigned threads)
        : store_(store)
        , host_(host)
        , folder_(folder)
        , temps_(temps)
        , threads_(threads)
        , progress_(host)
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
    NormalizedDigest passFirst(InputFile& input, StagingLoad* load, const FirstFilePass& pass);
    void passFirstAgain(InputFile& input, StagingLoad* load, AtomicFile* normalized);
    void readSecond(InputFile& input);
    Staged settleSecond(Mode mode, const StagingLoad& firstLoad);
    void normalizeForJoin();
    void writeOutput(const KeptLines& kept, std::uint64_t stagedRows, AtomicFile& output);
    void assemble(const KeptLines& kept, std::uint64_t stagedRows, ByteBlocks& output);
    void save(Mode mode, AtomicFile& output, StoreTransaction& transaction);
    void putInPlace(const std::vector<AtomicFile*>& files);
    void noteRead(const std::string& path, const InputFile& input);
    void requireInputsAsRead() const;
    std::filesystem::perms leastAccess() const;

    StagingStore& store_;
    RunHost& host_;
    const std::filesystem::path& folder_;
    TempRegistry* temps_;
    unsigned threads_; // of each phase's pipeline
    ProgressReporter progress_;
    std::string stamp_; // the local time of the run, which names its copies
    std::string firstPath_;
    NormalizedDigest firstDigest_;
    std::optional<AtomicFile> normalized_;
    std::optional<StagingLoad> secondLoad_;
    std::string secondPath_;
    InputCheck firstCheck_;
    std::optional<InputCheck> secondCheck_; // none when the second file is the first one again
    std::optional<Error> secondRefused_;    // which matters in join mode only
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

// The first file's normalized form is written as it is read when the host foresees join mode; the
// mode read when the output is assembled decides (normalizeForJoin).
void Run::loadFirst(InputFile& first, StagingLoad& load) {
    if (host_.mode() == Mode::Join) {
        normalized_.emplace(pathFromText(firstPath_), temps_);
    }
    progress_.begin(Phase::Normalizing, first.size());
    firstDigest_ =
        passFirst(first, &load, {normalized_ ? &*normalized_ : nullptr, &firstCheck_, &firstCleaning_});
    progress_.finish();
    requireRecords(load, firstPath_);
    summary_.inputs.push_back(
        {firstPath_, load.lines(), load.dropped(), firstCleaning_, firstCheck_.report()});
    summary_.fittedLines = firstCheck_.fittedLines();
    summary_.fitted = firstCheck_.fitted();
}

// Both labels may name the same file: it is then read again as the run normalized it.
void Run::loadSecond(const InputFile& first) {
    const std::string path = host_.secondPath();
    if (namesNoFile(path)) {
        return;
    }
    InputFile input(pathFromText(path));
    noteRead(path, input);
    store_.beginSecond();
    secondLoad_.emplace(store_);
    progress_.begin(Phase::LoadingSecond, input.size());
    if (input.sameFileAs(first)) {
        passFirstAgain(input, &*secondLoad_, nullptr);
    } else {
        secondCheck_.emplace();
        readSecond(input);
    }
    progress_.finish();
    secondPath_ = path;
}

// read → clean → split → fit → {stage rows, write the normalized file, check the input}. The file
// is read on a thread of its own while this one stages its rows, and the last run's store is deleted
// meanwhile.
NormalizedDigest Run::passFirst(InputFile& input, StagingLoad* load, const FirstFilePass& pass) {
    NormalizedDigest digest;
    Pipeline::run(threads_, [&](Pipeline& pipeline) {
        if (store_.holdsSetAside()) {
            pipeline.task([this] { store_.removeSetAside(); });
        }
        pipeline.source<LineBlock>(
            [&](Channel<LineBlock>& rows) { digest = readFirstFile(input, rows, pass); },
            [&](LineBlock& lines) { stageRows(load, lines, progress_); }, kLineBlocksAhead);
    });
    return digest;
}

// A later pass over the first file stands for the first one only if it reads the same lines.
void Run::passFirstAgain(InputFile& input, StagingLoad* load, AtomicFile* normalized) {
    if (passFirst(input, load, {normalized}) != firstDigest_) {
        throw Error(ErrorKind::ChangedMeanwhile, firstPath_);
    }
}

// read → leave out the BOM and Ctrl-Z → split → {stage rows, check the input}, while the first
// file's normalized form goes to disk.
void Run::readSecond(InputFile& input) {
    Pipeline::run(threads_, [&](Pipeline& pipeline) {
        if (normalized_) {
            pipeline.task([this] { normalized_->prepare(); });
        }
        pipeline.source<LineBlock>(
            [&](Channel<LineBlock>& rows) {
                try {
                    readSecondFile(input, rows, *secondCheck_, secondCleaning_);
                } catch (const Error& refused) {
                    if (!refusesShape(refused.kind)) {
                        throw;
                    }
                    secondRefused_ = refused;
                }
            },
            [this](LineBlock& lines) { stageRows(&*secondLoad_, lines, progress_); }, kLineBlocksAhead);
    });
}

// Analyse mode reads one file only, even if the host named a second one, whatever that one holds.
Run::Staged Run::settleSecond(Mode mode, const StagingLoad& firstLoad) {
    Staged staged{firstLoad.kept(), firstLoad.staged()};
    if (!secondLoad_) {
        return staged;
    }
    if (mode == Mode::Analyse) {
        store_.withdrawSecond();
        inputs_.pop_back();
        return staged;
    }
    if (secondRefused_) {
        throw *secondRefused_;
    }
    requireRecords(*secondLoad_, secondPath_);
    staged.kept.overlay(secondLoad_->kept());
    staged.rows += secondLoad_->staged();
    summary_.inputs.push_back({secondPath_, secondLoad_->lines(), secondLoad_->dropped(), secondCleaning_,
                               secondCheck_ ? std::optional(secondCheck_->report()) : std::nullopt});
    return staged;
}

// store → assemble → {write the output, check it}: the output is verified as it is written, on a
// thread of its own.
void Run::writeOutput(const KeptLines& kept, std::uint64_t stagedRows, AtomicFile& output) {
    OutputCheck check;
    Pipeline::run(threads_, [&](Pipeline& pipeline) {
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

// A host in join mode that did not foresee it at the start gets the first file's normalized form
// from a second pass.
void Run::normalizeForJoin() {
    if (normalized_) {
        return;
    }
    normalized_.emplace(pathFromText(firstPath_), temps_);
    InputFile again(pathFromText(firstPath_));
    progress_.begin(Phase::Normalizing, again.size());
    passFirstAgain(again, nullptr, &*normalized_);
    progress_.finish();
}

// The last moment to stop: from here on the files are put in place. The output goes to disk while
// the store commits, and first, so that a write failing on it cannot come after the first file was
// replaced. A first file that the run would rewrite with its very bytes is left as it is, untouched
// and with no copy taken; a join's output is written all the same.
void Run::save(Mode mode, AtomicFile& output, StoreTransaction& transaction) {
    progress_.begin(Phase::Saving, 1);
    AtomicFile& rewritten = mode == Mode::Join ? *normalized_ : output;
    summary_.firstInOrder = rewritten.matchesTarget();
    std::vector<AtomicFile*> files;
    if (!summary_.firstInOrder) {
        files.push_back(&rewritten);
    }
    if (mode == Mode::Join) {
        files.push_back(&output);
    }
    Pipeline::run(threads_, [&](Pipeline& pipeline) {
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
    if (host_.keepCopies()) {
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
    firstPath_ = host_.firstPath();
    if (namesNoFile(firstPath_)) {
        return {RunStatus::NoFileSelected, {}};
    }
    InputFile first(pathFromText(firstPath_));
    noteRead(firstPath_, first);
    StoreTransaction transaction(store_);
    StagingLoad firstLoad(store_);
    loadFirst(first, firstLoad);
    loadSecond(first);
    first.close(); // it may be replaced
    const Mode mode = host_.mode();
    const Staged staged = settleSecond(mode, firstLoad);

    progress_.begin(Phase::RemovingDuplicates, 1);
    summary_.duplicatesRemoved = store_.removeDuplicateProducts();
    summary_.repeatedProducts = store_.repeatedProducts();
    progress_.finish();

    if (mode == Mode::Join) {
        normalizeForJoin();
    }
    summary_.outputPath = mode == Mode::Analyse ? firstPath_ : pathText(folder_ / kJoinOutputName);
    AtomicFile output(pathFromText(summary_.outputPath), temps_, leastAccess(),
                      mode == Mode::Join ? TargetKind::OwnFile : TargetKind::UserFile);
    writeOutput(staged.kept, staged.rows - summary_.duplicatesRemoved, output);
    save(mode, output, transaction);
    return {RunStatus::Completed, std::move(summary_)};
}

} // namespace

RunResult runOnce(StagingStore& store, RunHost& host, const std::filesystem::path& programFolder,
                  TempRegistry* temps, unsigned threads) {
    return Run(store, host, programFolder, temps, threads).execute();
}

} // namespace sintegra
