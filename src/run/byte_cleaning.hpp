#pragma once

#include <cstddef>
#include <cstdint>

#include "run/run_summary.hpp"

namespace sintegra {

// Cleans the bytes of an input file in place, chunk after chunk as it is read, and notes in a
// Cleaning what it changed, by line. Either file loses a UTF-8 byte-order mark at its start and
// the end-of-file mark Ctrl-Z (26) wherever it stands; of the first file, which the run rewrites,
// NUL and comma also become spaces. The mark is looked for in the first chunk, which a regular
// file fills: the run's chunks are far longer than it.
class ByteCleaner {
public:
    enum class Scope { Everything, MarksOnly };

    ByteCleaner(Scope scope, Cleaning& noted)
        : scope_(scope)
        , noted_(noted) {}

    // Returns the chunk's new size. linesEnded: the lines that the chunks before it ended.
    std::size_t clean(char* data, std::size_t size, std::uint64_t linesEnded);
    // After the last chunk.
    void finish();

private:
    bool holdsAny(const char* data, std::size_t size) const noexcept;
    void cleanNoting(char* data, std::size_t size, std::uint64_t line);
    void notePendingCtrlZ();

    Scope scope_;
    Cleaning& noted_;
    bool started_ = false;
    bool afterCr_ = false;        // the last byte kept of the chunk before
    std::uint64_t ctrlZLine_ = 0; // of the last Ctrl-Z, until a byte follows it
};

} // namespace sintegra
