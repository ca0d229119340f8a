#include <gtest/gtest.h>

#include "layout/record_types.hpp"
#include "run/totals_trailer.hpp"
#include "support/files.hpp"

namespace sintegra {
namespace {

const std::string kPrefix = "9012345678000199ISENTO        ";
const std::string kType10 = test::record("1012345678000199ISENTO        EMPRESA");

// A totals record: its text padded to column 125, then the number of totals records.
std::string totals(const std::string& text, char records = '1') {
    std::string line = test::record(text);
    line.back() = records;
    return line;
}

// The types go in the layout's order, whatever their count. A record holds nine pairs;
// past them a second record follows, and every record says in column 126 how many there are. The
// grand total counts the kept lines (types 10 and 11) written. A prefix short of 30 characters
// gives way to the CNPJ and state registration of the type 10 line.
TEST(TotalsTrailer, namesTheInformantAndListsTheTypesAndTheGrandTotalNineToARecord) {
    struct Case {
        std::optional<std::string> type90;
        std::optional<std::string> type10;
        std::vector<std::pair<std::string_view, std::uint64_t>> counts;
        std::uint64_t keptLines;
        std::vector<std::string> records;
    };
    const std::string eight =
        "50000000015300000001540000000155000000016000000001610000000170000000017400000001";
    const std::string blank = std::string(28, ' ');
    const std::vector<Case> cases = {
        {kPrefix,
         kType10,
         {{"75", 2}, {"50", 3}, {"54", 10}},
         2,
         {totals(kPrefix + "5000000003540000001075000000029900000018")}},
        // A month without movement: types 10, 11 and 90 only.
        {kPrefix, kType10, {}, 2, {totals(kPrefix + "9900000003")}},
        {std::nullopt,
         kType10,
         {{"50", 5}, {"75", 2}},
         1,
         {totals(kPrefix + "500000000575000000029900000009")}},
        {std::nullopt, std::nullopt, {{"50", 5}}, 0, {totals("90" + blank + "50000000059900000006")}},
        {"90short", kType10, {{"53", 1}}, 2, {totals(kPrefix + "53000000019900000004")}},
        {"90short",
         "10123",
         {{"53", 1}},
         2,
         {totals("90123" + std::string(25, ' ') + "53000000019900000004")}},
        {"90short", std::nullopt, {}, 0, {totals("90short" + std::string(23, ' ') + "9900000001")}},
        {kPrefix,
         "10other",
         {{"50", 1}, {"53", 1}, {"54", 1}, {"55", 1}, {"60", 1}, {"61", 1}, {"70", 1}, {"74", 1}},
         2,
         {totals(kPrefix + eight + "9900000011")}},
        {kPrefix,
         kType10,
         {{"50", 1}, {"53", 1}, {"54", 1}, {"55", 1}, {"60", 1}, {"61", 1}, {"70", 1}, {"74", 1}, {"75", 1}},
         2,
         {totals(kPrefix + eight + "7500000001", '2'), totals(kPrefix + "9900000013", '2')}},
        {kPrefix,
         kType10,
         {{"50", 1},
          {"53", 1},
          {"54", 1},
          {"55", 1},
          {"60", 1},
          {"61", 1},
          {"70", 1},
          {"74", 1},
          {"75", 1},
          {"88", 4}},
         2,
         {totals(kPrefix + eight + "7500000001", '2'), totals(kPrefix + "88000000049900000017", '2')}},
        // The IPI, transport, export and fuel records between them.
        {kPrefix,
         kType10,
         {{"86", 1}, {"85", 1}, {"77", 1}, {"76", 1}, {"71", 1}, {"57", 1}, {"56", 1}, {"51", 2}, {"50", 1}},
         2,
         {totals(kPrefix + "50000000015100000002560000000157000000017100000001760000000177000000018500000001"
                           "8600000001",
                 '2'),
          totals(kPrefix + "9900000014", '2')}},
        // Counts past eight digits keep every digit.
        {kPrefix, kType10, {{"54", 123456789}}, 2, {totals(kPrefix + "5412345678999123456792")}},
    };
    for (const Case& c : cases) {
        PerStagedType<std::uint64_t> counts{};
        for (const auto& [type, count] : c.counts) {
            counts[*stagedTypeOf(type)] = count;
        }
        EXPECT_EQ(totalsRecords(totalsPrefix(c.type90, c.type10), counts, c.keptLines), c.records);
    }
}

} // namespace
} // namespace sintegra
