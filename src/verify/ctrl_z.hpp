#pragma once

#include <cstddef>
#include <cstdint>

#include "verify/finding.hpp"

namespace sintegra::verify {

// Where a file holds Ctrl-Z (26), the end-of-file mark of DOS programs. A run's reading removes it
// wherever it stands, so it is part of no line and the lines are counted without it; the check
// does the same and says once where the marks stood.
class CtrlZMarks {
public:
    // A mark after `width` bytes of line `line`, counted from 1.
    void mark(std::uint64_t line, std::size_t width);
    // lines: the file's.
    void finish(std::uint64_t lines, FindingSink& sink) const;

private:
    struct Place {
        std::uint64_t line = 0;
        std::size_t column = 0;
    };

    std::uint64_t count_ = 0;
    Place first_;
    Place last_;
};

} // namespace sintegra::verify
