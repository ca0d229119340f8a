#include <gtest/gtest.h>

#include "run/totals_trailer.hpp"
#include "support/files.hpp"

namespace sintegra {
namespace {

const std::string kPrefix = "9012345678000199ISENTO        ";

// A totals record: its text padded to column 125, then the number of totals records.
std::string totals(const std::string& text, char records = '1') {
    std::string line = test::record(text);
    line.back() = records;
    return line;
}

// Staged types 0 to 9 are 50, 53, 54, 55, 60, 61, 70, 74, 75 and 88. A record holds nine pairs;
// past them a second record follows, and every record says in column 126 how many there are.
TEST(TotalsTrailer, listsTheTypesWithRecordsAndTheGrandTotalNineToARecord) {
    struct Case {
        std::string prefix;
        std::vector<std::pair<StagedType, std::uint64_t>> counts;
        std::vector<std::string> records;
    };
    const std::string eight =
        "50000000015300000001540000000155000000016000000001610000000170000000017400000001";
    const std::vector<Case> cases = {
        {kPrefix, {{0, 3}, {2, 10}, {8, 2}}, {totals(kPrefix + "5000000003540000001075000000029900000018")}},
        {kPrefix, {}, {totals(kPrefix)}},
        {"", {{0, 5}, {8, 2}}, {totals("500000000575000000029900000010")}},
        {"90short", {{1, 1}}, {totals("90short53000000019900000004")}},
        {kPrefix,
         {{0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}},
         {totals(kPrefix + eight + "9900000011")}},
        {kPrefix,
         {{0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {8, 1}},
         {totals(kPrefix + eight + "7500000001", '2'), totals(kPrefix + "9900000013", '2')}},
        {kPrefix,
         {{0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {8, 1}, {9, 4}},
         {totals(kPrefix + eight + "7500000001", '2'), totals(kPrefix + "88000000049900000017", '2')}},
        // Counts past eight digits keep every digit.
        {"", {{2, 123456789}}, {totals("5412345678999123456792")}},
    };
    for (const Case& c : cases) {
        PerStagedType<std::uint64_t> counts{};
        for (const auto& [type, count] : c.counts) {
            counts[type] = count;
        }
        EXPECT_EQ(totalsRecords(c.prefix, counts), c.records);
    }
}

} // namespace
} // namespace sintegra
