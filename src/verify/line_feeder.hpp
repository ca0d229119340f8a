#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "verify/checker.hpp"

namespace sintegra::verify {

// Gathers each line's first bytes, as many as the checks read, and its width from the pieces in
// which it arrives, so that a line of any length costs the same, and hands the lines to the checker.
// It holds a few lines back and lets the checker fetch ahead what they will need: checking a file
// of many product codes waits on memory, not on the processor.
class LineFeeder {
public:
    explicit LineFeeder(Checker& checker)
        : checker_(checker) {}

    void addBytes(std::string_view bytes);
    void endLine();
    // Checks the lines held back; after the last line.
    void finish();

    // The line being gathered.
    std::string_view head() const { return window_[lines_ % kLinesAhead].head; }
    std::size_t width() const { return window_[lines_ % kLinesAhead].width; }
    // The lines ended so far.
    std::uint64_t lines() const { return lines_; }

private:
    static constexpr std::size_t kLinesAhead = 8;

    struct Line {
        std::string head;
        std::size_t width = 0;
    };

    void checkOldest();

    Checker& checker_;
    std::array<Line, kLinesAhead> window_;
    std::uint64_t lines_ = 0;
    std::uint64_t checked_ = 0;
};

} // namespace sintegra::verify
