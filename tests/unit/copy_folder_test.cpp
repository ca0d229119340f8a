#include <gtest/gtest.h>

#include "errors/error.hpp"
#include "files/copy_folder.hpp"
#include "files/path_text.hpp"
#include "support/files.hpp"
#include "support/temp_folder.hpp"

namespace sintegra {
namespace {

namespace fs = std::filesystem;

// Copies made in one second are numbered, and the numbers count as numbers when the oldest go. A
// copy is as private as its file, in a folder of the user's alone. A run's own copies and the files it
// spares stay, however old their names say they are, and names of any other shape are left alone.
TEST(CopyFolder, namesCopiesAfterTheirFileAndTheTimeAndKeepsTheNewest) {
    test::TempFolder work;
    const std::string file = work.write("x", "old");
    const fs::path folder = work.path() / "Copias";
    CopyFolder earlier(folder, "2024-05-01 10-00-00", nullptr);
    const std::vector<std::pair<std::string, std::string>> names = {
        {"/home/joão/sintegra.txt", "sintegra (2024-05-01 10-00-00).txt"},
        {"sintegra.txt", "sintegra (2024-05-01 10-00-00) (2).txt"},
        {"dados", "dados (2024-05-01 10-00-00)"},
        {"arquivo.tar.gz", "arquivo.tar (2024-05-01 10-00-00).gz"},
    };
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    for (const auto& [named, expected] : names) {
        const fs::path copy = earlier.keep(file, named);
        EXPECT_EQ(copy.filename(), expected);
        EXPECT_EQ(test::readFile(copy), "old");
        EXPECT_EQ(fs::status(copy).permissions(), fs::status(file).permissions());
    }
#ifndef _WIN32
    EXPECT_EQ(fs::status(folder).permissions(), fs::perms::owner_all);
#endif
    for (int i = 0; i < 20; ++i) {
        earlier.keep(file, "sintegra.txt");
    }
    const std::string oddName = "a (2026-01-01 00-00-00) (99999999999999999999999).txt";
    test::writeFile(folder / oddName, "not a copy of ours");
    const std::string chosen = "a (2000-01-01 00-00-00).txt";
    test::writeFile(folder / chosen, "a file that the run read");
    CopyFolder copies(folder, "2001-01-01 00-00-00", nullptr); // a clock behind the earlier run's
    copies.keep(file, "y.txt");
    copies.prune({work.path() / "." / "Copias" / chosen});
    const std::vector<std::string> kept = test::folderEntries(folder);
    ASSERT_EQ(kept.size(), kCopiesKept + 3);
    EXPECT_EQ(kept[0], chosen);
    EXPECT_EQ(kept[1], oddName);
    EXPECT_EQ(kept[2], "sintegra (2024-05-01 10-00-00) (10).txt");
    EXPECT_EQ(kept[21], "sintegra (2024-05-01 10-00-00) (9).txt");
    EXPECT_EQ(kept[22], "y (2001-01-01 00-00-00).txt");
}

// A Copias that is a file, or a link to a folder elsewhere, is not used, and the pruning deletes
// nothing through it. Links on POSIX only, as Wine makes none.
TEST(CopyFolder, usesNoCopiasThatIsNotAFolderOfItsOwn) {
    test::TempFolder work;
    const std::string file = work.write("x", "old");
    const fs::path elsewhere = work.path() / "elsewhere";
    fs::create_directory(elsewhere);
    for (int second = 10; second < 40; ++second) {
        test::writeFile(elsewhere / ("a (2001-02-03 04-05-" + std::to_string(second) + ").txt"), "x");
    }
    std::vector<fs::path> notFolders = {work.write("Copias", "a file")};
#ifndef _WIN32
    notFolders.push_back(work.path() / "link");
    fs::create_directory_symlink(elsewhere, notFolders.back());
#endif
    for (const fs::path& folder : notFolders) {
        CopyFolder copies(folder, "2024-05-01 10-00-00", nullptr);
        try {
            copies.keep(file, "a.txt");
            ADD_FAILURE() << "kept a copy in " << folder;
        } catch (const Error& error) {
            EXPECT_EQ(error.kind, ErrorKind::CopiesFolderUnusable);
            EXPECT_EQ(error.file, pathText(folder));
        }
        copies.prune({});
        EXPECT_EQ(test::folderEntries(elsewhere).size(), 30u);
    }
}

} // namespace
} // namespace sintegra
