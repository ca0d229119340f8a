#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "verify/file_header.hpp"
#include "verify/finding.hpp"
#include "verify/record_kind.hpp"

namespace sintegra::verify {

// Whether the type 90 records total what the file holds: the records of each type, the grand
// total, the number of type 90 records in column 126, and the informant of the type 10 record.
// Column 126 holds one digit, so a file has at most 9 type 90 records: theirs are held and judged
// against the whole file at its end. Past the 9th the file is wrong anyway, and its totals are
// judged as they come, against the records read before them, so that memory stays flat whatever
// the number of type 90 records.
class TotalsChecker {
public:
    void line(std::string_view line, std::uint64_t number, const RecordKind& kind, const FileHeader& header,
              FindingSink& sink);
    void finish(FindingSink& sink) const;

private:
    struct Total {
        int type; // 99 for the grand total
        std::uint64_t count;
        std::uint64_t line;
        std::uint16_t column;
        std::string text;
    };
    struct Record90 {
        std::uint64_t line;
        char count;
    };

    void readTotals(std::string_view line, std::uint64_t number, FindingSink& sink);
    void judgeHeld(FindingSink& sink);
    void checkTypeTotal(const Total& total, FindingSink& sink) const;
    void checkCount90(const Record90& record, FindingSink& sink) const;
    void checkMissingTotals(FindingSink& sink) const;
    void checkGrandTotal(FindingSink& sink) const;

    std::array<std::uint64_t, 100> records_{}; // records of each code the layout knows
    std::uint64_t allRecords_ = 0;     // of the codes the layout knows: the others are reported on their own
    std::array<bool, 100> totalled_{}; // the types that a pair names
    std::optional<Total> grandTotal_;  // the last one: the layout wants it in the last record
    std::uint64_t records90Count_ = 0;
    std::uint64_t last90_ = 0;        // the line of the last type 90 record
    std::vector<Total> totals_;       // held while records90_ is
    std::vector<Record90> records90_; // the first ones, while they are no more than 9
};

} // namespace sintegra::verify
