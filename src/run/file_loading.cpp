#include "run/file_loading.hpp"

#include <memory>
#include <string>

#include "errors/file_errors.hpp"
#include "files/atomic_file.hpp"
#include "files/input_file.hpp"
#include "layout/line_splitter.hpp"
#include "run/byte_cleaning.hpp"
#include "run/file_verification.hpp"
#include "run/line_normalization.hpp"
#include "run/pipeline/blocks.hpp"
#include "run/pipeline/progress_reporter.hpp"
#include "run/record_dispatch.hpp"
#include "run/record_limits.hpp"
#include "run/run_checks.hpp"
#include "verify/file_shape.hpp"

namespace sintegra {
namespace {

constexpr std::size_t kReadSize = 1 << 20;

// Feeds a whole file through a cleaner and a splitter. A file found not to be a SINTEGRA file ends
// the run there.
template <LineSink Sink>
void readLines(InputFile& input, Sink& sink, ByteCleaner cleaner) {
    try {
        const auto buffer = std::make_unique<char[]>(kReadSize);
        LineSplitter splitter;
        std::uint64_t done = 0;
        while (const std::size_t read = input.read(buffer.get(), kReadSize)) {
            done += read;
            splitter.feed({buffer.get(), cleaner.clean(buffer.get(), read, sink.lines())}, sink);
            sink.inputRead(done);
        }
        splitter.finish(sink);
        cleaner.finish();
        sink.finish();
    } catch (const LineTooLong&) {
        throw lineTooLong(input.path(), sink.lines() + 1);
    } catch (const verify::NotSintegra& refused) {
        throw notSintegra(input.path(), refused.fault);
    }
}

// fit → {stage rows, write the normalized file, check the input}
class FirstFileSink {
public:
    FirstFileSink(Channel<LineBlock>& rows, const FirstFilePass& pass)
        : normalized_(pass.normalized)
        , check_(pass.check)
        , cleaning_(pass.cleaning)
        , rows_(rows) {}

    void addBytes(std::string_view bytes) {
        fitter_.addBytes(bytes);
        if (check_ != nullptr) {
            check_->addBytes(bytes);
        }
    }

    void endLine() {
        const std::string_view line = fitter_.finish();
        const Fitting& fitting = fitter_.fitting();
        if (check_ != nullptr) {
            check_->endLine(line, fitting);
        }
        if (cleaning_ != nullptr) {
            if (fitting.leadingBlanks > 0) {
                cleaning_->leadingBlanks.note(lines_ + 1);
            }
            if (fitting.convertedAway > 0) {
                cleaning_->converted.note(lines_ + 1);
            }
        }
        if (normalized_ != nullptr) {
            if (lines_ > 0) {
                normalized_->write("\r\n");
            }
            normalized_->write(line);
        }
        rows_.line(line);
        ++lines_;
    }

    void inputRead(std::uint64_t bytes) noexcept { rows_.inputRead(bytes); }
    void finish() {
        rows_.flush();
        if (check_ != nullptr) {
            check_->finish();
        }
    }

    std::uint64_t lines() const { return lines_; }

private:
    AtomicFile* normalized_;
    InputCheck* check_;
    Cleaning* cleaning_;
    LineBlocks rows_;
    LineFitter fitter_;
    std::uint64_t lines_ = 0;
};

// collect → {stage rows, check the input}
class SecondFileSink {
public:
    SecondFileSink(Channel<LineBlock>& rows, InputCheck& check, Cleaning& cleaning)
        : rows_(rows)
        , check_(check)
        , cleaning_(cleaning) {}

    void addBytes(std::string_view bytes) {
        collector_.addBytes(bytes);
        check_.addBytes(bytes);
    }
    void endLine() {
        rows_.line(collector_.finish());
        if (collector_.leftOutBlanks()) {
            cleaning_.leadingBlanks.note(lines_ + 1);
        }
        check_.endLine();
        ++lines_;
    }
    void inputRead(std::uint64_t bytes) noexcept { rows_.inputRead(bytes); }
    void finish() {
        rows_.flush();
        check_.finish();
    }

    std::uint64_t lines() const { return lines_; }

private:
    LineBlocks rows_;
    InputCheck& check_;
    Cleaning& cleaning_;
    RawLineCollector collector_;
    std::uint64_t lines_ = 0;
};

} // namespace

// A pass that notes nothing cleans as the first did, and notes it nowhere.
void readFirstFile(InputFile& input, Channel<LineBlock>& rows, const FirstFilePass& pass) {
    FirstFileSink sink(rows, pass);
    Cleaning unnoted;
    readLines(
        input, sink,
        ByteCleaner(ByteCleaner::Scope::Everything, pass.cleaning != nullptr ? *pass.cleaning : unnoted));
}

void readSecondFile(InputFile& input, Channel<LineBlock>& rows, InputCheck& check, Cleaning& cleaning) {
    SecondFileSink sink(rows, check, cleaning);
    readLines(input, sink, ByteCleaner(ByteCleaner::Scope::MarksOnly, cleaning));
}

void stageRows(StagingLoad* load, const LineBlock& block, ProgressReporter& progress) {
    if (load != nullptr) {
        std::size_t start = 0;
        for (const std::size_t end : block.ends) {
            load->accept(std::string_view(block.bytes).substr(start, end - start));
            start = end;
        }
    }
    progress.advance(block.inputRead);
}

} // namespace sintegra
