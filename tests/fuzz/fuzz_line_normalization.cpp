// Line normalization on any bytes: one LineFitter, reused line after line and fed each line in
// pieces of any size, gives what normalizeLine() gives for the whole line. Lines come out without
// the spaces and Tabs before their code; those that do not begin with "88" then are cut or padded to
// 126 characters, or, too wide with bytes above 127, converted to 126.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "fuzz_support.hpp"
#include "run/line_normalization.hpp"

namespace {

using namespace sintegra;

constexpr std::array<std::size_t, 4> kWidths = {126, 144, 147, 157};

std::string modelFitted(std::string_view line) {
    std::string fitted(line.substr(0, 126));
    fitted.resize(126, ' ');
    return fitted;
}

void checkLine(std::string_view read, std::string_view normalized) {
    const std::string line = fuzz::withoutLeadingBlanks(read);
    if (!line.starts_with("88")) {
        const bool maybeUtf8 =
            line.size() > 126 && std::any_of(line.begin(), line.end(), [](char c) { return c & 0x80; });
        fuzz::check(maybeUtf8 ? normalized.size() == 126 : normalized == modelFitted(line),
                    "a line is fitted to 126 characters");
    } else if (normalized != line) {
        fuzz::check(std::find(kWidths.begin(), kWidths.end(), normalized.size()) != kWidths.end(),
                    "a type 88 sub-record is fitted to its width");
        fuzz::check(normalized.substr(0, 6) == line.substr(0, 6), "a type 88 sub-record keeps its code");
        fuzz::check(!line.starts_with("88STITNF"), "88STITNF, which begins like 88STIT, is kept as read");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    LineFitter fitter;
    while (!input.empty()) {
        const std::string_view line = input.substr(0, input.find('\n'));
        input.remove_prefix(std::min(input.size(), line.size() + 1));
        for (const std::string_view piece : fuzz::randomPieces(line, 40)) {
            fitter.addBytes(piece);
        }
        const std::string_view normalized = fitter.finish();
        fuzz::check(normalized == normalizeLine(line), "pieces give what the whole line gives");
        checkLine(line, normalized);
    }
    return 0;
}
