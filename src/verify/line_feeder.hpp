#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "verify/checker.hpp"

namespace sintegra::verify {

// Gathers each line's first bytes, as many as the checks read, and its width from the pieces in
// which it arrives, so that a line of any length costs the same, and hands the line to the checker.
class LineFeeder {
public:
    explicit LineFeeder(Checker& checker)
        : checker_(checker) {}

    void addBytes(std::string_view bytes) {
        if (head_.size() < kCheckedBytes) {
            head_.append(bytes.substr(0, kCheckedBytes - head_.size()));
        }
        width_ += bytes.size();
    }
    void endLine();

    // The width of the line being gathered.
    std::size_t width() const { return width_; }
    // The lines ended so far.
    std::uint64_t lines() const { return lines_; }

private:
    Checker& checker_;
    std::string head_;
    std::size_t width_ = 0;
    std::uint64_t lines_ = 0;
};

} // namespace sintegra::verify
