// The line reader on any bytes, fed in pieces of any size: the lines of the first input file (its
// bytes cleaned piece by piece) and of the second (without its marks) are those of the whole, and
// every line the cleaning changed is noted, none twice.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.hpp"
#include "layout/line_splitter.hpp"
#include "run/byte_cleaning.hpp"
#include "run/run_summary.hpp"

namespace {

using namespace sintegra;

struct LineRecorder {
    std::vector<std::string> lines;
    std::string current;

    void addBytes(std::string_view bytes) { current.append(bytes); }
    void endLine() {
        lines.push_back(std::move(current));
        current.clear();
    }
};

// A byte-order mark comes whole: the run's chunks are far longer.
std::vector<std::string> cleanedLines(std::string_view input, ByteCleaner::Scope scope) {
    LineRecorder recorder;
    LineSplitter splitter;
    Cleaning noted;
    ByteCleaner cleaner(scope, noted);
    std::vector<std::string_view> pieces =
        fuzz::randomPieces(input.substr(std::min<std::size_t>(3, input.size())));
    pieces.insert(pieces.begin(), input.substr(0, 3));
    for (const std::string_view piece : pieces) {
        std::string bytes(piece);
        bytes.resize(cleaner.clean(bytes.data(), bytes.size(), recorder.lines.size()));
        splitter.feed(bytes, recorder);
    }
    splitter.finish(recorder);
    cleaner.finish();
    fuzz::check(recorder.current.empty(), "finish() ends the last line");
    for (const LineNumbers* lines : {&noted.blanked, &noted.ctrlZ}) {
        fuzz::check(std::is_sorted(lines->first.begin(), lines->first.end()) &&
                        std::adjacent_find(lines->first.begin(), lines->first.end()) == lines->first.end(),
                    "changed lines are noted in order, once");
        fuzz::check(lines->count == 0 || lines->last <= recorder.lines.size(), "a noted line is a line");
    }
    if (scope == ByteCleaner::Scope::Everything) {
        LineNumbers blanked;
        const std::vector<std::string> read = fuzz::modelLines(fuzz::modelSecondRead(input));
        for (std::size_t i = 0; i < read.size(); ++i) {
            if (read[i].find_first_of(std::string_view(",\0", 2)) != std::string::npos) {
                blanked.note(i + 1);
            }
        }
        fuzz::check(noted.blanked.count == blanked.count && noted.blanked.first == blanked.first,
                    "every line where a comma or NUL became a space is noted");
    }
    return recorder.lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    fuzz::check(cleanedLines(input, ByteCleaner::Scope::Everything) ==
                    fuzz::modelLines(fuzz::modelCleaned(input)),
                "first file: lines of the cleaned pieces are those of the cleaned whole");
    fuzz::check(cleanedLines(input, ByteCleaner::Scope::MarksOnly) ==
                    fuzz::modelLines(fuzz::modelSecondRead(input)),
                "second file: lines of the pieces without their marks are those of the whole");
    return 0;
}
