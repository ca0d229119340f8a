#include <gtest/gtest.h>

#include "run/line_splitter.hpp"

namespace sintegra {
namespace {

struct Collect {
    std::vector<std::string> lines{""};
    void addBytes(std::string_view bytes) { lines.back().append(bytes); }
    void endLine() { lines.emplace_back(); }
    std::vector<std::string> done() {
        lines.pop_back();
        return lines;
    }
};

std::vector<std::string> split(std::string_view text, std::size_t piece) {
    Collect sink;
    LineSplitter<Collect> splitter(sink);
    for (std::size_t i = 0; i < text.size(); i += piece) {
        splitter.feed(text.substr(i, piece));
    }
    splitter.finish();
    return sink.done();
}

using Lines = std::vector<std::string>;

struct Case {
    std::string text;
    Lines lines;
};

// Every case is cut in pieces of every size, so that a line end split between two reads (a CR at
// the end of one and its LF at the start of the next) is covered.
TEST(LineSplitter, endsLinesAtCrCrLfAndLfWhereverTheInputIsCut) {
    const std::vector<Case> cases = {
        {"", {}},
        {"A", {"A"}},
        {"A\r\nB\r\n", {"A", "B"}},
        {"A\rB\r", {"A", "B"}},
        {"A\nB\n", {"A", "B"}},
        {"A\r\n\r\nB", {"A", "", "B"}},
        {"\r\n", {""}},
        {"\n\n", {"", ""}},
        {"A\r\r\nB", {"A", "", "B"}},
        {"A\n\rB", {"A", "", "B"}},
        {"A\r\nB\nC\rD", {"A", "B", "C", "D"}},
        {std::string("\0\x1a\x80\xff", 4) + "\r\n", {std::string("\0\x1a\x80\xff", 4)}},
    };
    for (const Case& c : cases) {
        for (std::size_t piece = 1; piece <= c.text.size() + 1; ++piece) {
            EXPECT_EQ(split(c.text, piece), c.lines) << "piece size " << piece;
        }
    }
}

} // namespace
} // namespace sintegra
