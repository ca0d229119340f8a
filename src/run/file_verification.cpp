#include "run/file_verification.hpp"

#include <algorithm>
#include <string_view>
#include <vector>

#include "errors/file_errors.hpp"
#include "files/input_file.hpp"
#include "verify/stream_check.hpp"

namespace sintegra {
namespace {

constexpr std::size_t kChunkSize = std::size_t{1} << 20;

// Feeds the file to the check. A file that is not a SINTEGRA file gets one sentence instead of a
// finding on every line: an Error.
std::optional<std::uint64_t> readFile(const std::filesystem::path& path, verify::StreamCheck& check,
                                      const VerifyProgress& progress) {
    InputFile file(path);
    std::vector<char> buffer(kChunkSize);
    // A file that grows while it is read is counted up to its size when opened.
    const std::uint64_t total = file.size();
    std::uint64_t done = 0;
    try {
        while (const std::size_t size = file.read(buffer.data(), buffer.size())) {
            check.feed(std::string_view(buffer.data(), size));
            done = std::min(total, done + size);
            if (progress && !progress({Phase::Verifying, done, total})) {
                return std::nullopt;
            }
        }
        check.finish();
    } catch (const verify::LineTooLong&) {
        throw lineTooLong(path, check.lines() + 1);
    } catch (const verify::NotSintegra& refused) {
        throw notSintegra(path, refused.fault);
    }
    return check.lines();
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

std::optional<std::uint64_t> verifyFile(const std::filesystem::path& path, verify::FindingSink& sink,
                                        const VerifyProgress& progress) {
    verify::StreamCheck check(sink);
    return readFile(path, check, progress);
}

void requireSintegraShape(const std::filesystem::path& path) {
    verify::StreamCheck check;
    readFile(path, check, {});
}

} // namespace sintegra
