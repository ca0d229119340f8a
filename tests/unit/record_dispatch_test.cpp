#include <gtest/gtest.h>

#include "run/record_dispatch.hpp"
#include "staging/staging_store.hpp"
#include "support/files.hpp"
#include "support/staging_fixture.hpp"
#include "support/temp_folder.hpp"

namespace sintegra {
namespace {

using test::record;

TEST(RecordDispatch, sendsEachLineByItsFirstTwoBytes) {
    EXPECT_EQ(dispatchOf("10abc").destination, Destination::Kept10);
    EXPECT_EQ(dispatchOf("11").destination, Destination::Kept11);
    EXPECT_EQ(dispatchOf("90x").destination, Destination::Kept90);
    for (StagedType type = 0; type < kStagedTypeCount; ++type) {
        const Dispatch dispatch = dispatchOf(std::string(kStagedCodes[type]) + "rest");
        EXPECT_EQ(dispatch.destination, Destination::Staged);
        EXPECT_EQ(dispatch.type, type);
    }
    EXPECT_EQ(dispatchOf("60R032013").type, kType60);
    EXPECT_EQ(dispatchOf("88SP02").type, 9u);
    for (const std::string_view dropped : {"", "5", "51", "76", " 50", "9", "EA"}) {
        EXPECT_EQ(dispatchOf(dropped).destination, Destination::Dropped) << dropped;
    }
}

using StagingLoadTest = test::StagingFixture;

TEST_F(StagingLoadTest, keepsTheLastType10And11LinesAndType90Prefix) {
    StagingLoad load(store);
    for (const std::string& line :
         std::vector<std::string>{"10first", "11first", record("90" + std::string(40, '1')), "10second",
                                  "11second", record("90" + std::string(40, '2'))}) {
        load.accept(line);
    }
    EXPECT_EQ(load.kept().type10, "10second");
    EXPECT_EQ(load.kept().type11, "11second");
    EXPECT_EQ(load.kept().type90Prefix, "90" + std::string(28, '2'));

    StagingLoad second(store);
    second.accept("90short");
    KeptLines kept = load.kept();
    kept.overlay(second.kept());
    EXPECT_EQ(kept.type10, "10second");
    EXPECT_EQ(kept.type90Prefix, "90short");
}

TEST_F(StagingLoadTest, stagesLinesAsTheyStandAndCountsTheDropped) {
    StagingLoad load(store);
    const std::string raw = std::string("50a,b\0c", 7);
    for (const std::string& line : std::vector<std::string>{raw, "60M", "60R", "51x", "", "5", "51y"}) {
        load.accept(line);
    }
    EXPECT_EQ(rows(0), std::vector<std::string>{raw});
    EXPECT_EQ(rows(kType60).size(), 2u);
    EXPECT_EQ(load.lines(), 7u);
    EXPECT_EQ(load.dropped(), (std::map<std::string, std::uint64_t>{{"", 1}, {"5", 1}, {"51", 2}}));
}

std::string collect(const std::string& line) {
    RawLineCollector collector;
    for (std::size_t i = 0; i < line.size(); i += 3) {
        collector.addBytes(std::string_view(line).substr(i, 3));
    }
    return std::string(collector.finish());
}

TEST(RawLineCollector, holdsOnlyWhatTheDispatchUses) {
    const std::string staged = "75" + std::string(500, 'x') + std::string("\0,", 2);
    EXPECT_EQ(collect(staged), staged);
    EXPECT_EQ(collect("10" + std::string(300, 'y')), "10" + std::string(300, 'y'));
    EXPECT_EQ(collect("90" + std::string(100, '9')), "90" + std::string(28, '9'));
    EXPECT_EQ(collect("EA" + std::string(100, 'z')), "EA");
    EXPECT_EQ(collect("5"), "5");
    EXPECT_EQ(collect(""), "");
}

} // namespace
} // namespace sintegra
