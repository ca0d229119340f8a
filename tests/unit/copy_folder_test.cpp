#include <gtest/gtest.h>

#include "files/copy_folder.hpp"
#include "support/files.hpp"
#include "support/temp_folder.hpp"

namespace sintegra {
namespace {

// Copies made in one second are numbered, and the numbers count as numbers when the oldest go. A
// copy is as private as its file.
TEST(CopyFolder, namesCopiesAfterTheirFileAndTheTimeAndKeepsTheNewest) {
    test::TempFolder work;
    const std::string file = work.write("x", "old");
    CopyFolder copies(work.path() / "Copias", "2024-05-01 10-00-00", nullptr);
    const std::vector<std::pair<std::string, std::string>> names = {
        {"/home/joão/sintegra.txt", "sintegra (2024-05-01 10-00-00).txt"},
        {"sintegra.txt", "sintegra (2024-05-01 10-00-00) (2).txt"},
        {"dados", "dados (2024-05-01 10-00-00)"},
        {"arquivo.tar.gz", "arquivo.tar (2024-05-01 10-00-00).gz"},
    };
    const auto privateFile = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write;
    std::filesystem::permissions(file, privateFile);
    for (const auto& [named, expected] : names) {
        const std::filesystem::path copy = copies.keep(file, named);
        EXPECT_EQ(copy.filename(), expected);
        EXPECT_EQ(test::readFile(copy), "old");
        EXPECT_EQ(std::filesystem::status(copy).permissions(), std::filesystem::status(file).permissions());
    }
    for (int i = 0; i < 20; ++i) {
        copies.keep(file, "sintegra.txt");
    }
    copies.prune();
    const std::vector<std::string> kept = test::folderEntries(work.path() / "Copias");
    ASSERT_EQ(kept.size(), kCopiesKept);
    EXPECT_EQ(kept.front(), "sintegra (2024-05-01 10-00-00) (10).txt");
    EXPECT_EQ(kept.back(), "sintegra (2024-05-01 10-00-00) (9).txt");
}

} // namespace
} // namespace sintegra
