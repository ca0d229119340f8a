#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "run/record_dispatch.hpp"
#include "support/staging_fixture.hpp"

namespace sintegra {
namespace {

using RecordDispatchTest = test::StagingFixture;

// A line goes where its first two bytes say, compared exactly: every type of the layout to its table
// (60 and 88 whatever their sub-type), 10, 11 and 90 kept (the last of each; of 90 its first 30
// bytes), anything else dropped and counted by its code with the first lines' numbers.
TEST_F(RecordDispatchTest, sendsEachLineWhereItsCodeSays) {
    const std::string ninety = "90" + std::string(28, '1') + "500000000199000000003";
    const std::vector<std::string> lines = {
        "10first", "5000001", "51ipi",  "60M20240301", "60R032024", "6Ox", "88SP02", "88STITNF", "EA", "",
        "5",       " 50",     "10last", "11",          ninety,      "76",  "86",     "ea",       "EA"};
    StagingLoad load(store);
    for (const std::string& line : lines) {
        load.accept(line);
    }
    EXPECT_EQ(load.lines(), lines.size());
    EXPECT_EQ(load.staged(), 8u);
    EXPECT_EQ(load.recognized(), lines.size() - 7);
    EXPECT_EQ(load.kept().type10, "10last");
    EXPECT_EQ(load.kept().type11, "11");
    EXPECT_EQ(load.kept().type90Prefix, ninety.substr(0, 30));
    EXPECT_EQ(rows(*stagedTypeOf("60")), (std::vector<std::string>{"60M20240301", "60R032024"}));
    EXPECT_EQ(rows(*stagedTypeOf("88")), (std::vector<std::string>{"88SP02", "88STITNF"}));
    EXPECT_EQ(rows(*stagedTypeOf("51")), std::vector<std::string>{"51ipi"});
    const auto& dropped = load.dropped();
    ASSERT_EQ(dropped.size(), 6u);
    EXPECT_EQ(dropped.at("EA").count, 2u);
    EXPECT_EQ(dropped.at("EA").first, (std::vector<std::uint64_t>{9, 19}));
    for (const auto& [code, line] : {std::pair{"", 10}, {"5", 11}, {" 5", 12}, {"6O", 6}, {"ea", 18}}) {
        EXPECT_EQ(dropped.at(code).first, std::vector<std::uint64_t>{static_cast<std::uint64_t>(line)})
            << code;
    }
}

// A second file's line as it is handed over in pieces: blanks and Tabs before its code left out, a
// dropped line held as its code only, a type 90 as its prefix, every other line whole.
TEST(RawLineCollector, holdsWhatTheDispatchOfEachLineUses) {
    struct Case {
        std::vector<std::string_view> pieces;
        std::string_view held;
        bool blanks;
    };
    const std::string ninety = "90" + std::string(40, '7');
    const std::vector<Case> cases = {
        {{"50abc", "def"}, "50abcdef", false},
        {{" \t", "\t5", "0abc"}, "50abc", true},
        {{"EA", "not held"}, "EA", false},
        {{"\tE", "A rest"}, "EA", true},
        {{ninety}, std::string_view(ninety).substr(0, 30), false},
        {{}, "", false},
        {{"   "}, "", false},
    };
    RawLineCollector collector; // one for every line, as a file's reader uses it
    for (const Case& c : cases) {
        for (const std::string_view piece : c.pieces) {
            collector.addBytes(piece);
        }
        EXPECT_EQ(collector.finish(), c.held) << c.held;
        EXPECT_EQ(collector.leftOutBlanks(), c.blanks) << c.held;
    }
}

} // namespace
} // namespace sintegra
