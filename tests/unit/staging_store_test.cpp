#include <gtest/gtest.h>

#include "run/product_dedup.hpp"
#include "staging/staging_store.hpp"
#include "staging/statements.hpp"
#include "staging/store_error.hpp"
#include "support/files.hpp"
#include "support/staging_fixture.hpp"
#include "support/temp_folder.hpp"

namespace sintegra {
namespace {

using test::readFile;
using test::record;
using test::writeFile;

using StagingStoreTest = test::StagingFixture;

TEST_F(StagingStoreTest, numbersRowsUpwardsAcrossAnEmptying) {
    store.insert(kType75, "75a");
    const std::uint64_t first = store.queryCount(sql::lastId(kType75));
    store.execute(sql::deleteAll(kType75));
    store.insert(kType75, "75b");
    EXPECT_GT(store.queryCount(sql::lastId(kType75)), first);
    EXPECT_EQ(rows(kType75), std::vector<std::string>{"75b"});
}

TEST_F(StagingStoreTest, givesEveryByteBackAsStored) {
    std::string line = "88";
    for (int byte = 0; byte < 256; ++byte) {
        line += static_cast<char>(byte);
    }
    line += "\xc3\x28\xe2\x82\xff\x80"; // not UTF-8
    stage(9, {line});
    EXPECT_EQ(rows(9), std::vector<std::string>{line});
}

std::string product(std::string_view code, std::string_view rest = "") {
    return "75" + std::string(16, '2') + std::string(code) + std::string(rest);
}

TEST_F(StagingStoreTest, keepsTheLastOfEachProductCodeInItsPlace) {
    // Codes are the 14 characters at columns 19 to 32, compared exactly.
    const std::string a = product("00000000000120"), a2 = product("00000000000120", "later");
    const std::string b = product("00000000000121"), c = product("0000000000012A"),
                      d = product("0000000000012a");
    stage(kType75, {a, b, c, d, a2});
    EXPECT_EQ(removeDuplicateProducts(store), 1u);
    EXPECT_EQ(rows(kType75), (std::vector<std::string>{b, c, d, a2}));
}

TEST_F(StagingStoreTest, keepsLinesTooShortToHoldACode) {
    const std::string shortLine = "75" + std::string(15, '1');
    stage(kType75, {shortLine, shortLine, "75" + std::string(20, '3'), "75" + std::string(20, '3')});
    EXPECT_EQ(removeDuplicateProducts(store), 1u);
    EXPECT_EQ(rows(kType75), (std::vector<std::string>{shortLine, shortLine, "75" + std::string(20, '3')}));
}

TEST_F(StagingStoreTest, ordersType60ByDateThenSubType) {
    const std::vector<std::string> loaded = {"60R032013",   "60I20130301a", "60M20130302",      "60A20130301",
                                             "60M20130301", "60D20130301",  "60R022013",        "60D20130228",
                                             "60X20130301", "60r012013",    "60m20130301second"};
    stage(kType60, loaded);
    EXPECT_EQ(rows(kType60),
              (std::vector<std::string>{"60r012013", "60D20130228", "60R022013", "60M20130301",
                                        "60m20130301second", "60A20130301", "60D20130301", "60I20130301a",
                                        "60X20130301", "60M20130302", "60R032013"}));
}

TEST(StagingStorePreparation, replacesAStoreLeftByAnEarlierStart) {
    test::ProgramFolder folder;
    {
        StagingStore earlier(folder.path());
        earlier.insert(0, "50old");
    }
    writeFile(folder.path() / "Sintegra.mdb-journal", "stale journal of a killed run");
    StagingStore store(folder.path());
    EXPECT_EQ(store.queryCount(sql::lastId(0)), 0u);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "Sintegra.mdb-journal"));
}

std::string preparationError(const std::filesystem::path& folder) {
    try {
        StagingStore store(folder);
    } catch (const StoreError& error) {
        return error.what();
    }
    return "";
}

TEST(StagingStorePreparation, namesTheFileAndFolderWhenItCannotPrepare) {
    test::TempFolder folder;
    EXPECT_EQ(preparationError(folder.path()),
              "O modelo do banco de trabalho Sintegra.mod não foi encontrado na pasta \"" +
                  folder.path().string() + "\".");

    writeFile(folder.path() / "Sintegra.mod", "");
    EXPECT_NE(preparationError(folder.path()).find("não pode ser usado: faltam tabelas"), std::string::npos);
    writeFile(folder.path() / "Sintegra.mod", std::string(8192, 'x'));
    EXPECT_NE(preparationError(folder.path()).find("não é um banco de dados"), std::string::npos);

    std::filesystem::remove(folder.path() / "Sintegra.mod");
    std::filesystem::copy_file(ORV_TEMPLATE_FILE, folder.path() / "Sintegra.mod");
    std::filesystem::remove(folder.path() / "Sintegra.mdb");
    std::filesystem::create_directories(folder.path() / "Sintegra.mdb" / "inside");
    EXPECT_NE(preparationError(folder.path()).find("Não foi possível apagar o banco de trabalho"),
              std::string::npos);
}

} // namespace
} // namespace sintegra
