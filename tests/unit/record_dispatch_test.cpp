#include <gtest/gtest.h>

#include "run/record_dispatch.hpp"
#include "staging/staging_store.hpp"
#include "support/files.hpp"
#include "support/staging_fixture.hpp"
#include "support/temp_folder.hpp"

namespace sintegra {
namespace {

using test::record;
using StagingLoadTest = test::StagingFixture;

// Each line goes where its first two bytes, as they stand, say; the others are counted by code.
TEST_F(StagingLoadTest, sendsEachLineWhereItsCodeSaysAndKeepsTheLast10And11And90Prefix) {
    StagingLoad load(store);
    const std::string raw = std::string("50a,b\0c", 7);
    for (const std::string& line :
         {std::string("10first"), std::string("11first"), record("90" + std::string(40, '1')), raw,
          std::string("60M"), std::string("60R032013"), std::string("88SP02"), std::string("10second"),
          std::string("11second"), record("90" + std::string(40, '2')), std::string("51x"), std::string(),
          std::string("5"), std::string("51y"), std::string(" 50"), std::string("EA"), std::string("76")}) {
        load.accept(line);
    }
    EXPECT_EQ(load.kept().type10, "10second");
    EXPECT_EQ(load.kept().type11, "11second");
    EXPECT_EQ(load.kept().type90Prefix, "90" + std::string(28, '2'));
    EXPECT_EQ(rows(0), std::vector<std::string>{raw});
    EXPECT_EQ(rows(kType60), (std::vector<std::string>{"60M", "60R032013"}));
    EXPECT_EQ(rows(9), std::vector<std::string>{"88SP02"});
    EXPECT_EQ(load.lines(), 17u);
    EXPECT_EQ(load.dropped(), (std::map<std::string, std::uint64_t>{
                                  {"", 1}, {"5", 1}, {"51", 2}, {" 5", 1}, {"EA", 1}, {"76", 1}}));

    // A second file's kept lines stand over the first's, where it has them.
    StagingLoad second(store);
    second.accept("90short");
    KeptLines kept = load.kept();
    kept.overlay(second.kept());
    EXPECT_EQ(kept.type10, "10second");
    EXPECT_EQ(kept.type90Prefix, "90short");
}

} // namespace
} // namespace sintegra
