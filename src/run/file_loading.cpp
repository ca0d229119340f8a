#include "run/file_loading.hpp"

#include <functional>
#include <memory>
#include <string>

#include "files/atomic_file.hpp"
#include "files/input_file.hpp"
#include "files/system_error.hpp"
#include "layout/line_splitter.hpp"
#include "run/byte_cleaning.hpp"
#include "run/file_verification.hpp"
#include "run/line_normalization.hpp"
#include "run/line_pump.hpp"
#include "run/progress_reporter.hpp"
#include "run/record_dispatch.hpp"
#include "run/record_limits.hpp"
#include "run/run_checks.hpp"
#include "verify/file_shape.hpp"

namespace sintegra {
namespace {

constexpr std::size_t kReadSize = 1 << 20;

// Feeds a whole file through a splitter. transform may shorten each chunk in place and says
// whether the input goes on after it.
template <class Sink, class Transform>
void readLines(InputFile& input, Sink& sink, LineEmitter& emitter, Transform transform) {
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
        emitter.inputRead(done);
    }
    splitter.finish();
}

class FirstFileSink {
public:
    FirstFileSink(const FirstFilePass& pass, LineEmitter& emitter, NormalizedDigest& digest)
        : normalized_(pass.normalized)
        , check_(pass.check)
        , emitter_(emitter)
        , digest_(digest) {}

    void addBytes(std::string_view bytes) {
        fitter_.addBytes(bytes);
        if (check_ != nullptr) {
            check_->addBytes(bytes);
        }
    }

    void endLine() {
        const std::string_view line = fitter_.finish();
        if (check_ != nullptr) {
            check_->endLine(line);
        }
        if (normalized_ != nullptr) {
            if (emitter_.lines() > 0) {
                normalized_->write("\r\n");
            }
            normalized_->write(line);
        }
        digest_.add(line);
        emitter_.line(line);
    }

private:
    AtomicFile* normalized_;
    InputCheck* check_;
    LineEmitter& emitter_;
    NormalizedDigest& digest_;
    LineFitter fitter_;
};

class SecondFileSink {
public:
    SecondFileSink(LineEmitter& emitter, InputCheck& check)
        : emitter_(emitter)
        , check_(check) {}

    void addBytes(std::string_view bytes) {
        collector_.addBytes(bytes);
        check_.addBytes(bytes);
    }
    void endLine() {
        emitter_.line(collector_.finish());
        check_.endLine();
    }

private:
    LineEmitter& emitter_;
    InputCheck& check_;
    RawLineCollector collector_;
};

// Reads on the pump's thread while this one stages what it reads. A file found not to be a SINTEGRA
// file ends the run there.
template <class Read>
void pumpLines(InputFile& input, StagingLoad* load, ProgressReporter& progress, Read read) {
    LinePump pump([&input, read](LineEmitter& emitter) {
        try {
            read(emitter);
        } catch (const LineTooLong&) {
            throw lineTooLong(input.path(), emitter.lines() + 1);
        } catch (const verify::NotSintegra& refused) {
            throw notSintegra(input.path(), refused.fault);
        }
    });
    pump.drain(
        [load](std::string_view line) {
            if (load != nullptr) {
                load->accept(line);
            }
        },
        [&progress](std::uint64_t done) { progress.advance(done); });
}

} // namespace

// Each line's hash is mixed in by the FNV prime, so that the order of the lines counts too.
void NormalizedDigest::add(std::string_view line) noexcept {
    ++lines_;
    hash_ = (hash_ ^ std::hash<std::string_view>{}(line)) * 1099511628211u;
}

NormalizedDigest passFirstFile(InputFile& input, const FirstFilePass& pass, ProgressReporter& progress) {
    NormalizedDigest digest;
    pumpLines(input, pass.load, progress, [&input, &pass, &digest](LineEmitter& emitter) {
        FirstFileSink sink(pass, emitter, digest);
        readLines(input, sink, emitter, [](char* data, std::size_t& size) {
            size = cleanBytes(data, size);
            return true;
        });
        if (pass.check != nullptr) {
            pass.check->finish();
        }
    });
    return digest;
}

void loadSecondFile(InputFile& input, StagingLoad& load, InputCheck& check, ProgressReporter& progress) {
    pumpLines(input, &load, progress, [&input, &check](LineEmitter& emitter) {
        SecondFileSink sink(emitter, check);
        readLines(input, sink, emitter, [](const char* data, std::size_t& size) {
            const std::size_t end = std::string_view(data, size).find('\x1a');
            size = std::min(size, end);
            return end == std::string_view::npos;
        });
        check.finish();
    });
}

} // namespace sintegra
