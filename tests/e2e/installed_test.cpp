// POSIX only: a folder that an ordinary user may not write, and setpriv to become one.
#include <unistd.h>

#include <gtest/gtest.h>

#include "support/files.hpp"
#include "support/process.hpp"
#include "support/temp_folder.hpp"
#include "words/error_words.hpp"

namespace sintegra {
namespace {

namespace fs = std::filesystem;

// Root writes anywhere: the program runs as an ordinary user, through setpriv when the test is root.
// A second file that this user may not read then stops the run before anything changes.
TEST(ProgramFolderFallback, aReadOnlyExecutableFolderGivesWayToTheUsersDataFolder) {
    const bool root = ::geteuid() == 0;
    if (root && !fs::exists("/usr/bin/setpriv")) {
        GTEST_SKIP() << "setpriv, which runs the program as an ordinary user, is not installed";
    }
    test::TempFolder top;
    const fs::path installed = top.path() / "bin";
    const fs::path home = top.path() / "casa";
    const fs::path xdg = top.path() / "dados";
    for (const fs::path& made : {installed, home, xdg}) {
        fs::create_directory(made);
    }
    const std::string first = top.write("a.txt", test::cnpjRecord("50"));
    const std::string second = top.write("b.txt", test::cnpjRecord("54"));
    fs::copy_file(ORV_CLI_PROGRAM, installed / "sintegra-orv-cli");
    fs::copy_file(ORV_TEMPLATE_FILE, installed / "Sintegra.mod");
    fs::permissions(top.path(), fs::perms::all);
    fs::permissions(installed, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                                   fs::perms::others_exec | fs::perms::group_read | fs::perms::group_exec);
    for (const fs::path& owned : {home, xdg, fs::path(first), fs::path(second)}) {
        EXPECT_EQ(root ? ::chown(owned.c_str(), 65534, 65534) : 0, 0);
    }
    const auto run = [&](const std::string& environment) {
        std::vector<std::string> command = {"/usr/bin/env", "HOME=" + home.string(),
                                            environment,    (installed / "sintegra-orv-cli").string(),
                                            "juntar",       first,
                                            second,         "-q"};
        if (root) {
            command.insert(command.begin(),
                           {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "--"});
        }
        return test::runProcess(command);
    };
    for (const auto& [environment, data] :
         {std::pair{"XDG_DATA_HOME=" + xdg.string(), xdg / "sintegra-orv"},
          std::pair{std::string("XDG_DATA_HOME="), home / ".local/share/sintegra-orv"}}) {
        test::writeFile(first, test::cnpjRecord("50")); // out of order again, so that a copy is kept
        const test::ProcessResult result = run(environment);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out,
                  "Analise Terminada do arquivo [" + (data / "sintegra.txt").string() + "] finalizada !\n");
        EXPECT_EQ(test::folderEntries(data),
                  (std::vector<std::string>{"Copias", "Sintegra.lck", "Sintegra.mdb", "sintegra.txt"}));
        EXPECT_EQ(test::folderEntries(installed),
                  (std::vector<std::string>{"Sintegra.mod", "sintegra-orv-cli"}));
    }
    const std::string normalized = test::readFile(first);
    const std::string joined = test::readFile(xdg / "sintegra-orv" / "sintegra.txt");
    fs::permissions(second, fs::perms::none);
    const test::ProcessResult refused = run("XDG_DATA_HOME=" + xdg.string());
    const Error denied(ErrorKind::CannotOpen, second, std::make_error_code(std::errc::permission_denied));
    EXPECT_EQ(refused.err, "sintegra-orv-cli: " + errorWords(denied) + "\n");
    EXPECT_EQ(test::readFile(first), normalized);
    EXPECT_EQ(test::readFile(xdg / "sintegra-orv" / "sintegra.txt"), joined);
    EXPECT_EQ(test::leftoverTemps({top.path()}), std::vector<std::string>{});
}

} // namespace
} // namespace sintegra
