#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "verify/file_header.hpp"
#include "verify/finding.hpp"
#include "verify/record_kind.hpp"

namespace sintegra::verify {

// Whether the type 90 records total what the file holds: the records of each type, the grand
// total, the number of type 90 records in column 126, and the informant of the type 10 record.
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
    void checkTypeTotals(FindingSink& sink) const;
    void checkGrandTotal(FindingSink& sink) const;

    std::array<std::uint64_t, 100> records_{}; // records of each code the layout knows
    std::uint64_t allRecords_ = 0; // of the codes the layout knows: the others are reported on their own
    std::vector<Total> totals_;
    std::vector<Record90> records90_;
};

} // namespace sintegra::verify
