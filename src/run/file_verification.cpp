#include "run/file_verification.hpp"

#include <algorithm>
#include <string_view>
#include <vector>

#include "files/input_file.hpp"
#include "files/system_error.hpp"
#include "run/line_splitter.hpp"
#include "verify/checker.hpp"
#include "verify/file_shape.hpp"
#include "verify/line_feeder.hpp"

namespace sintegra {
namespace {

constexpr std::size_t kChunkSize = std::size_t{1} << 20;

// The lines of a file, to judge its shape and, where there is one, to be checked.
struct ShapeAndChecks {
    verify::FileShape shape;
    verify::LineFeeder* feeder;

    void addBytes(std::string_view bytes) {
        shape.addBytes(bytes);
        if (feeder != nullptr) {
            feeder->addBytes(bytes);
        }
    }
    void endLine() {
        shape.endLine();
        if (feeder != nullptr) {
            feeder->endLine();
        }
    }
};

// Reads the file through its shape and the checker, if there is one. A file that is not a SINTEGRA
// file gets one sentence instead of a finding on every line: an Error.
std::optional<std::uint64_t> readFile(const std::filesystem::path& path, verify::Checker* checker,
                                      const VerifyProgress& progress) {
    InputFile file(path);
    std::optional<verify::LineFeeder> feeder;
    if (checker != nullptr) {
        feeder.emplace(*checker);
    }
    ShapeAndChecks lines{{}, feeder ? &*feeder : nullptr};
    LineSplitter<ShapeAndChecks> splitter(lines);
    std::vector<char> buffer(kChunkSize);
    // A file that grows while it is read is counted up to its size when opened.
    const std::uint64_t total = file.size();
    std::uint64_t done = 0;
    try {
        while (const std::size_t size = file.read(buffer.data(), buffer.size())) {
            splitter.feed(std::string_view(buffer.data(), size));
            done = std::min(total, done + size);
            if (progress && !progress({Phase::Verifying, done, total})) {
                return std::nullopt;
            }
        }
        splitter.finish();
        lines.shape.finish();
    } catch (const verify::LineTooLong&) {
        throw lineTooLong(path, lines.shape.lines() + 1);
    } catch (const verify::NotSintegra& refused) {
        throw notSintegra(path, refused.fault);
    }
    if (checker != nullptr) {
        checker->finish();
    }
    return lines.shape.lines();
}

} // namespace

Error notSintegra(const std::filesystem::path& path, verify::ShapeFault fault) {
    switch (fault) {
    case verify::ShapeFault::OtherFormat:
        return fileError(ErrorKind::OtherFormat, path, {});
    case verify::ShapeFault::NotText:
        return fileError(ErrorKind::NotText, path, {});
    case verify::ShapeFault::NotRecords:
        return fileError(ErrorKind::NotRecords, path, {});
    case verify::ShapeFault::NoRecord:
        break;
    }
    return fileError(ErrorKind::NoRecord, path, {});
}

Error lineTooLong(const std::filesystem::path& path, std::uint64_t line) {
    Error tooLong = fileError(ErrorKind::LineTooLong, path, {});
    tooLong.line = line;
    return tooLong;
}

bool refusesShape(ErrorKind kind) {
    switch (kind) {
    case ErrorKind::OtherFormat:
    case ErrorKind::NotText:
    case ErrorKind::NoRecord:
    case ErrorKind::NotRecords:
    case ErrorKind::LineTooLong:
        return true;
    default:
        return false;
    }
}

std::optional<std::uint64_t> verifyFile(const std::filesystem::path& path, verify::FindingSink& sink,
                                        const VerifyProgress& progress) {
    verify::Checker checker(sink);
    return readFile(path, &checker, progress);
}

void requireSintegraShape(const std::filesystem::path& path) {
    readFile(path, nullptr, {});
}

} // namespace sintegra
