#include "run/file_verification.hpp"

#include <algorithm>
#include <string_view>
#include <vector>

#include "files/input_file.hpp"
#include "run/line_splitter.hpp"
#include "verify/checker.hpp"
#include "verify/line_feeder.hpp"

namespace sintegra {
namespace {

constexpr std::size_t kChunkSize = std::size_t{1} << 20;

} // namespace

std::optional<std::uint64_t> verifyFile(const std::filesystem::path& path, verify::FindingSink& sink,
                                        const VerifyProgress& progress) {
    InputFile file(path);
    verify::Checker checker(sink);
    verify::LineFeeder feeder(checker);
    LineSplitter<verify::LineFeeder> splitter(feeder);
    std::vector<char> buffer(kChunkSize);
    // A file that grows while it is read is counted up to its size when opened.
    const std::uint64_t total = file.size();
    std::uint64_t done = 0;
    while (const std::size_t size = file.read(buffer.data(), buffer.size())) {
        splitter.feed(std::string_view(buffer.data(), size));
        done = std::min(total, done + size);
        if (progress && !progress({Phase::Verifying, done, total})) {
            return std::nullopt;
        }
    }
    splitter.finish();
    checker.finish();
    return feeder.lines();
}

} // namespace sintegra
