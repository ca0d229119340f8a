// The line reader on any bytes, fed in pieces of any size: the lines of the first input file (its
// bytes cleaned piece by piece) and of the second (read up to Ctrl-Z) are those of the whole.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.hpp"
#include "layout/line_splitter.hpp"
#include "run/byte_cleaning.hpp"

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

std::vector<std::string> firstFileLines(std::string_view input) {
    LineRecorder recorder;
    LineSplitter<LineRecorder> splitter(recorder);
    for (const std::string_view piece : fuzz::randomPieces(input)) {
        std::string bytes(piece);
        bytes.resize(cleanBytes(bytes.data(), bytes.size()));
        splitter.feed(bytes);
    }
    splitter.finish();
    fuzz::check(recorder.current.empty(), "finish() ends the last line");
    return recorder.lines;
}

std::vector<std::string> secondFileLines(std::string_view input) {
    LineRecorder recorder;
    LineSplitter<LineRecorder> splitter(recorder);
    for (std::string_view piece : fuzz::randomPieces(input)) {
        const std::size_t end = piece.find('\x1a');
        splitter.feed(piece.substr(0, end));
        if (end != std::string_view::npos) {
            break;
        }
    }
    splitter.finish();
    return recorder.lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    fuzz::check(firstFileLines(input) == fuzz::modelLines(fuzz::modelCleaned(input)),
                "first file: lines of the cleaned pieces are those of the cleaned whole");
    fuzz::check(secondFileLines(input) == fuzz::modelLines(fuzz::modelUpToEnd(input)),
                "second file: lines of the pieces up to Ctrl-Z are those of the whole");
    return 0;
}
