#include <random>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <gtest/gtest.h>

#include "staging/staging_store.hpp"
#include "support/files.hpp"
#include "support/models.hpp"
#include "support/staging_fixture.hpp"
#include "support/temp_folder.hpp"

namespace sintegra {
namespace {

using test::product;
using test::readFile;
using test::record;
using test::writeFile;

using StagingStoreTest = test::StagingFixture;

TEST_F(StagingStoreTest, givesEveryByteBackAsStored) {
    std::string line = "88";
    for (int byte = 0; byte < 256; ++byte) {
        line += static_cast<char>(byte);
    }
    line += "\xc3\x28\xe2\x82\xff\x80"; // not UTF-8
    const StagedType type88 = *stagedTypeOf(kCode88);
    stage(type88, {line});
    EXPECT_EQ(rows(type88), std::vector<std::string>{line});
}

// Enough rows that type 60 is written in several sorted runs and the product codes spill to the
// temporary database, with ties and repeated codes within and across the runs, sub-types in either
// case, dates of every kind, three cash registers a day and two periods a code.
TEST_F(StagingStoreTest, ordersAndDeduplicatesLikeAModelAcrossRuns) {
    std::mt19937 random(7);
    const auto pick = [&random](int count) {
        return std::uniform_int_distribution<int>(0, count - 1)(random);
    };
    std::vector<std::string> lines60;
    std::vector<std::string> lines75;
    for (int i = 0; i < 240000; ++i) {
        const std::string serial = std::to_string(i);
        if (pick(4) == 0) {
            const char sub = "MADIRmrX"[pick(8)];
            const std::string date = (sub | 0x20) == 'r' ? "0" + std::to_string(2 + pick(2)) + "2013"
                                                         : "2013030" + std::to_string(1 + pick(4));
            const std::string line =
                "60" + std::string(1, sub) + date + record("ECF" + std::to_string(pick(3)), 20);
            // Some lines end early, with a byte above 127 in their date or serial number.
            lines60.push_back(pick(20) == 0 ? line.substr(0, 3 + pick(28)) + "\xe9" : record(line + serial));
            store.stage(kType60, lines60.back());
        } else {
            const std::string code = std::to_string(100000 + pick(40000)) + "00000000";
            const int kind = pick(50);
            // Some lines are too short for a code, some end within it, after a byte above 127.
            lines75.push_back(kind == 0   ? "75short" + serial
                              : kind == 1 ? product(code.substr(0, pick(14)) + "\x80")
                                          : product(code, "x" + serial,
                                                    pick(2) == 0 ? "2013030120130331" : "2013030120130315"));
            store.stage(kType75, lines75.back());
        }
    }
    const std::vector<std::string> survivors = test::withoutRepeatedProducts(lines75);
    EXPECT_EQ(store.removeDuplicateProducts(), lines75.size() - survivors.size());
    EXPECT_TRUE(rows(kType60) == test::inType60Order(lines60));
    EXPECT_TRUE(rows(kType75) == survivors);
}

// Other programs read the store left by the last run: each table numbers its rows in load order,
// with the keys of their order beside them.
TEST(StagingStorePreparation, leavesItsRowsNumberedInLoadOrderWithTheirKeys) {
    test::ProgramFolder folder;
    {
        StagingStore store(folder.path());
        StoreTransaction transaction(store);
        for (const std::string line : {"60R032013", "60M20130302"}) {
            store.stage(kType60, line);
        }
        store.stage(kType75, product("00000000000120", "a"));
        transaction.commit();
    }
    SQLite::Database db((folder.path() / "Sintegra.mdb").string());
    const auto rowsOf = [&db](const std::string& query) {
        std::vector<std::string> values;
        for (SQLite::Statement statement(db, query); statement.executeStep();) {
            values.push_back(statement.getColumn(0).getString());
        }
        return values;
    };
    EXPECT_EQ(rowsOf("SELECT IDSEQUENCIA || ' ' || DATA || Tipo || ' ' || Registro FROM REG60 ORDER BY 1"),
              (std::vector<std::string>{"1 201303995 60R032013", "2 201303021 60M20130302"}));
    EXPECT_EQ(rowsOf("SELECT IDSEQUENCIA || ' ' || Nprod FROM REG75"),
              std::vector<std::string>{"1 00000000000120"});
}

TEST(StagingStorePreparation, replacesAStoreLeftByAnEarlierStart) {
    test::ProgramFolder folder;
    {
        StagingStore earlier(folder.path());
        earlier.stage(0, "50old");
    }
    writeFile(folder.path() / "Sintegra.mdb-journal", "stale journal of a killed run");
    writeFile(folder.path() / "Sintegra.mdb-old", "store set aside by a killed run");
    StagingStore store(folder.path());
    EXPECT_EQ(test::StagingFixture::rowsOf(store, 0), std::vector<std::string>{});
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "Sintegra.mdb-journal"));
    EXPECT_TRUE(store.holdsSetAside());
    store.removeSetAside();
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "Sintegra.mdb-old"));
}

} // namespace
} // namespace sintegra
