#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "layout/record_columns.hpp"
#include "layout/record_types.hpp"
#include "run/run_summary.hpp"

namespace sintegra {

class StagingStore;

enum class Destination { Kept10, Kept11, Kept90, Staged, Dropped };

struct Dispatch {
    Destination destination;
    StagedType type = 0; // for Destination::Staged
};

// Where a line goes, by its record type code: its first two bytes, compared exactly.
Dispatch dispatchOf(std::string_view line);

// The last type 10 and type 11 lines and type 90 prefix of a file.
struct KeptLines {
    std::optional<std::string> type10;
    std::optional<std::string> type11;
    std::optional<std::string> type90Prefix;

    // Takes the values that a later file has, keeping ours where it has none.
    void overlay(const KeptLines& later);
};

// Sends each line of one input file where its record type code says: a row of its staging table,
// a kept line, or nowhere; and counts what it did.
class StagingLoad {
public:
    explicit StagingLoad(StagingStore& store);

    void accept(std::string_view line);

    std::uint64_t lines() const noexcept { return lines_; }
    // Lines that became rows of a staging table.
    std::uint64_t staged() const noexcept { return staged_; }
    // Lines of a record type that the program handles: none, and the file is no SINTEGRA file.
    std::uint64_t recognized() const noexcept { return lines_ - droppedCount_; }
    const KeptLines& kept() const noexcept { return kept_; }
    // Lines dropped, by record type code: how many, and the first ones.
    const std::map<std::string, DroppedLines>& dropped() const noexcept { return dropped_; }

private:
    void drop(std::string_view line);

    StagingStore& store_;
    std::uint64_t lines_ = 0;
    std::uint64_t staged_ = 0;
    KeptLines kept_;
    std::map<std::string, DroppedLines> dropped_;
    std::uint64_t droppedCount_ = 0;
};

// Collects one line of the second input file as read, but for the spaces and Tabs before its code,
// holding only what its dispatch uses: the code of a dropped line, the prefix of a type 90 line,
// every other line whole.
class RawLineCollector {
public:
    // Throws LineTooLong when a line held whole grows past kMaxHeldLine.
    void addBytes(std::string_view bytes);
    // The line as far as it was held; valid until the next addBytes().
    std::string_view finish();
    // Whether the line that finish() gave had blanks before its code.
    bool leftOutBlanks() const { return blanks_ && !line_.empty(); }

private:
    std::string line_;
    std::size_t keep_ = kCodeSize;
    bool blanks_ = false;
    bool decided_ = false;
    bool finished_ = false;
};

} // namespace sintegra
