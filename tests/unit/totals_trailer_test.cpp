#include <gtest/gtest.h>

#include "run/totals_trailer.hpp"
#include "support/files.hpp"

namespace sintegra {
namespace {

using test::record;

const std::string kPrefix = "9012345678000199ISENTO        ";

PerStagedType<std::uint64_t> counts(std::initializer_list<std::pair<StagedType, std::uint64_t>> values) {
    PerStagedType<std::uint64_t> result{};
    for (const auto& [type, count] : values) {
        result[type] = count;
    }
    return result;
}

std::string withTotal(std::string text, char records = '1') {
    text = record(text);
    text.back() = records;
    return text;
}

TEST(TotalsTrailer, listsTheTypesWithRecordsAndTheGrandTotal) {
    // 50, 54 and 75 are staged types 0, 2 and 8.
    EXPECT_EQ(totalsRecords(kPrefix, counts({{0, 3}, {2, 10}, {8, 2}})),
              std::vector<std::string>{withTotal(kPrefix + "5000000003"
                                                           "5400000010"
                                                           "7500000002"
                                                           "9900000018")});
    EXPECT_EQ(totalsRecords(kPrefix, counts({})), std::vector<std::string>{withTotal(kPrefix)});
    EXPECT_EQ(totalsRecords("", counts({{0, 5}, {8, 2}})), std::vector<std::string>{withTotal("5000000005"
                                                                                              "7500000002"
                                                                                              "9900000010")});
    EXPECT_EQ(totalsRecords("90short", counts({{1, 1}})), std::vector<std::string>{withTotal("90short"
                                                                                             "5300000001"
                                                                                             "9900000004")});
}

TEST(TotalsTrailer, fillsOneRecordWithEightTypes) {
    const auto records =
        totalsRecords(kPrefix, counts({{0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}}));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].substr(110, 16), "9900000011     1");
}

// A record holds nine pairs; with nine or ten types a second one follows, and every record says
// in column 126 that there are two.
TEST(TotalsTrailer, spreadsNineOrTenTypesOverTwoRecords) {
    auto nine = counts({{0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {8, 1}});
    EXPECT_EQ(totalsRecords(kPrefix, nine),
              (std::vector<std::string>{
                  withTotal(kPrefix + "5000000001530000000154000000015500000001600000000161000000017000000001"
                                      "7400000001"
                                      "7500000001",
                            '2'),
                  withTotal(kPrefix + "9900000013", '2')}));
    auto ten = nine;
    ten[9] = 4;
    const auto records = totalsRecords(kPrefix, ten);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1], withTotal(kPrefix + "8800000004"
                                              "9900000017",
                                    '2'));
}

TEST(TotalsTrailer, keepsEveryDigitOfLargeCounts) {
    EXPECT_EQ(eightDigits(0), "00000000");
    EXPECT_EQ(eightDigits(12345678), "12345678");
    EXPECT_EQ(eightDigits(5'000'000'000), "5000000000");
    EXPECT_EQ(totalsRecords("", counts({{2, 123456789}}))[0].substr(0, 22), "54123456789"
                                                                            "99123456792");
}

} // namespace
} // namespace sintegra
