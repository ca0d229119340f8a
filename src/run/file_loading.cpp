#include "run/file_loading.hpp"

#include <memory>
#include <string>

#include "run/atomic_file.hpp"
#include "run/byte_cleaning.hpp"
#include "run/input_file.hpp"
#include "run/line_normalization.hpp"
#include "run/line_splitter.hpp"
#include "run/progress_reporter.hpp"
#include "run/record_dispatch.hpp"
#include "run/record_limits.hpp"
#include "run/run_error.hpp"

namespace sintegra {
namespace {

constexpr std::size_t kReadSize = 1 << 20;

// Feeds a whole file through a splitter. transform may shorten each chunk in place and says
// whether the input goes on after it.
template <class Sink, class Transform>
void readLines(InputFile& input, Sink& sink, ProgressReporter& progress, Transform transform) {
    const auto buffer = std::make_unique<char[]>(kReadSize);
    LineSplitter<Sink> splitter(sink);
    std::uint64_t done = 0;
    bool more = true;
    while (more) {
        std::size_t size = input.read(buffer.get(), kReadSize);
        if (size == 0) {
            break;
        }
        done += size;
        more = transform(buffer.get(), size);
        splitter.feed({buffer.get(), size});
        progress.advance(done);
    }
    splitter.finish();
}

RunError lineTooLong(const InputFile& input, std::uint64_t line) {
    return RunError("A linha " + std::to_string(line) + " do arquivo \"" + input.path() +
                        "\" é longa demais para ser processada (mais de 1.000.000.000 bytes).",
                    input.path(), line);
}

class FirstFileSink {
public:
    FirstFileSink(AtomicFile& normalized, StagingLoad& load)
        : normalized_(normalized)
        , load_(load) {}

    void addBytes(std::string_view bytes) { fitter_.addBytes(bytes); }

    void endLine() {
        const std::string_view line = fitter_.finish();
        if (load_.lines() > 0) {
            normalized_.write("\r\n");
        }
        normalized_.write(line);
        load_.accept(line);
    }

private:
    AtomicFile& normalized_;
    StagingLoad& load_;
    LineFitter fitter_;
};

class SecondFileSink {
public:
    explicit SecondFileSink(StagingLoad& load)
        : load_(load) {}

    void addBytes(std::string_view bytes) { collector_.addBytes(bytes); }
    void endLine() { load_.accept(collector_.finish()); }

private:
    StagingLoad& load_;
    RawLineCollector collector_;
};

} // namespace

void loadFirstFile(InputFile& input, AtomicFile& normalized, StagingLoad& load, ProgressReporter& progress) {
    FirstFileSink sink(normalized, load);
    try {
        readLines(input, sink, progress, [](char* data, std::size_t& size) {
            size = cleanBytes(data, size);
            return true;
        });
    } catch (const LineTooLong&) {
        throw lineTooLong(input, load.lines() + 1);
    }
}

void loadSecondFile(InputFile& input, StagingLoad& load, ProgressReporter& progress) {
    SecondFileSink sink(load);
    try {
        readLines(input, sink, progress, [](const char* data, std::size_t& size) {
            const std::string_view chunk(data, size);
            const std::size_t end = chunk.find('\x1a');
            size = std::min(size, end);
            return end == std::string_view::npos;
        });
    } catch (const LineTooLong&) {
        throw lineTooLong(input, load.lines() + 1);
    }
}

} // namespace sintegra
