#include <functional>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "errors/store_error.hpp"
#include "files/path_text.hpp"
#include "support/files.hpp"
#include "support/process.hpp"
#include "support/temp_folder.hpp"
#include "synthetic_sintegra.hpp"
#include "words/error_words.hpp"

namespace sintegra {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::writeFile;

// What the command line says of a failure.
std::string said(ErrorKind kind, const std::string& file, std::error_code cause = {}) {
    return "sintegra-orv-cli: " + errorWords(Error(kind, file, cause)) + "\n";
}

// Faults around the command line as a whole: each run that fails says why, names the file, and
// leaves every file of the user as it was.
class FaultTest : public ::testing::Test {
protected:
    std::string pasta() const { return folder.path().string(); }
    std::string joined() const { return folder.file("sintegra.txt"); }
    void expectStartsRefused(const std::vector<std::pair<std::function<void()>, std::string>>& faults);

    test::ProgramFolder folder;
    test::TempFolder work;
};

// A start that fails leaves the program folder as it found it, and the next start that finds it
// whole succeeds.
void FaultTest::expectStartsRefused(
    const std::vector<std::pair<std::function<void()>, std::string>>& faults) {
    const std::string record = test::cnpjRecord("50", "\r\n");
    const std::string file = work.write("a.txt", record);
    const std::string pristine = readFile(folder.file("Sintegra.mod"));
    for (const auto& [breakIt, message] : faults) {
        breakIt();
        const std::vector<std::string> before = test::folderEntries(folder.path());
        const test::ProcessResult run = test::runCli({"analisar", file, "--pasta", pasta()});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, message);
        EXPECT_EQ(readFile(file), record);
        EXPECT_EQ(test::folderEntries(folder.path()), before);

        fs::remove_all(folder.file("Sintegra.mdb"));
        fs::remove_all(folder.file("Sintegra.mdb-old"));
        fs::remove(folder.file("Sintegra.lck"));
        writeFile(folder.file("Sintegra.mod"), pristine);
        EXPECT_EQ(test::runCli({"-q", "juntar", file, file, "--pasta", pasta()}).status, 0);
        writeFile(file, record);
        for (const std::string made :
             {"Sintegra.mdb", "Sintegra.mdb-journal", "Sintegra.lck", "sintegra.txt"}) {
            fs::remove_all(folder.path() / made);
        }
    }
}

TEST_F(FaultTest, aMissingOrBrokenStagingTemplateOrAStoreInTheWayStopsTheStart) {
    const std::string model = folder.file("Sintegra.mod");
    const std::string store = folder.file("Sintegra.mdb");
    expectStartsRefused({
        {[&] { fs::remove(model); }, said(ErrorKind::TemplateMissing, pasta())},
        {[&] { writeFile(model, ""); }, said(ErrorKind::TemplateIncomplete, model)},
        {[&] { writeFile(model, std::string(8192, 'x')); },
         said(ErrorKind::TemplateUnusable, model, {SQLITE_NOTADB, storeCategory()})},
        {[&] { fs::create_directories(fs::path(store) / "pasta"); },
         said(ErrorKind::StoreNotRemoved, store, make_error_code(std::errc::is_a_directory))},
        {[&] { fs::create_directories(store + "-old"); },
         said(ErrorKind::StoreNotRemoved, store + "-old", make_error_code(std::errc::is_a_directory))},
    });
}

#ifndef _WIN32
// A link planted as the lock, the store or the join's output would lead the writes of the run to the
// file that it names, here the user's. POSIX only, as Wine makes no links.
TEST_F(FaultTest, aLinkPlantedAsTheStoreOrTheLockStopsTheStart) {
    const std::string user = work.write("b.txt", test::cnpjRecord("50"));
    const std::string store = folder.file("Sintegra.mdb");
    const std::string lock = folder.file("Sintegra.lck");
    expectStartsRefused({
        {[&] { fs::create_symlink(user, store); }, said(ErrorKind::StoreNotRegularFile, store)},
        {[&] { fs::create_symlink(user, lock); }, said(ErrorKind::NotRegularFile, lock)},
    });
    // As the output of a join, refused before anything is written: the first file stays as it was too.
    const std::string first = work.write("a.txt", test::cnpjRecord("50", "\r\n"));
    const std::vector<std::function<void()>> outputs = {
        [&] { fs::create_symlink(user, joined()); },
        [&] { fs::create_symlink(work.file("nowhere.txt"), joined()); },
        [&] { ::mkfifo(joined().c_str(), 0600); },
        [&] { fs::create_directory(joined()); },
    };
    for (const auto& plant : outputs) {
        plant();
        const test::ProcessResult run = test::runCli({"juntar", first, user, "--pasta", pasta(), "-q"});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, said(ErrorKind::NotRegularFile, joined()));
        EXPECT_EQ(readFile(first), test::cnpjRecord("50", "\r\n"));
        fs::remove(joined());
    }
    EXPECT_FALSE(fs::exists(work.file("nowhere.txt")));
    EXPECT_EQ(readFile(user), test::cnpjRecord("50"));
}
#endif

#ifndef _WIN32
// A full disk, reached by the staging store as it grows past the first file's size: a file-size limit,
// and a small disk mounted over the program folder in a mount namespace of the run's own, which takes
// no privilege. Linux only: SQLite writes the store itself, out of reach of the layer's fault seam.
TEST_F(FaultTest, aFullDiskStopsTheRunNamingTheStoreWithEveryFileAsItWas) {
    const std::string first = work.file("a.txt");
    synthetic::writeSyntheticSintegra(first, 70000, 3);
    const std::string second = work.file("b.txt");
    synthetic::writeSyntheticSintegra(second, 5000, 4);
    const std::string content = readFile(first);
    writeFile(joined(), "old output");
    const std::string model = work.write("Sintegra.mod", readFile(folder.file("Sintegra.mod")));
    const std::vector<std::pair<std::vector<std::string>, std::errc>> disks = {
        {{"/usr/bin/prlimit", "--fsize=" + std::to_string(content.size() + 4096), "--"},
         std::errc::file_too_large},
        {{"/usr/bin/unshare", "-rm", "/bin/sh", "-c",
          "mount -t tmpfs -o size=512k tmpfs \"$0\" && cp \"$1\" \"$0\" && shift && exec \"$@\"", pasta(),
          model},
         std::errc::no_space_on_device},
    };
    for (const auto& [disk, cause] : disks) {
        for (const std::string mode : {"analisar", "juntar"}) {
            SCOPED_TRACE(disk.front() + " " + mode);
            std::vector<std::string> command = test::cliCommand({mode, first, "--pasta", pasta(), "-q"});
            if (mode == "juntar") {
                command.insert(command.begin() + 3, second);
            }
            command.insert(command.begin(), disk.begin(), disk.end());
            const test::ProcessResult run = test::runProcess(command);
            EXPECT_EQ(run.status, 1);
            EXPECT_EQ(run.err,
                      said(ErrorKind::StoreFailed, folder.file("Sintegra.mdb"), make_error_code(cause)));
            EXPECT_EQ(readFile(first), content);
            EXPECT_EQ(readFile(joined()), "old output");
            EXPECT_EQ(test::leftoverTemps({work.path(), folder.path()}), std::vector<std::string>{});
        }
    }
    EXPECT_EQ(test::runCli({"juntar", first, second, "--pasta", pasta(), "-q"}).status, 0);
}
#endif

// A FIFO or a device chosen as a file would block the program in open() where no signal stops it.
TEST_F(FaultTest, refusesAFileThatIsNotARegularFileWithoutWaitingForIt) {
    const std::string first = work.write("a.txt", test::cnpjRecord("50"));
#ifdef _WIN32
    const std::string device = "NUL";
    const std::vector<std::string> guard;
#else
    const std::string device = work.file("fifo");
    ASSERT_EQ(::mkfifo(device.c_str(), 0644), 0);
    const std::vector<std::string> guard = {"/usr/bin/timeout", "-s", "KILL", "30"};
#endif
    for (const std::vector<std::string>& files : {std::vector{device}, std::vector{first, device}}) {
        std::vector<std::string> command = guard;
        command.insert(command.end(), {ORV_CLI_PROGRAM, files.size() == 1 ? "analisar" : "juntar"});
        command.insert(command.end(), files.begin(), files.end());
        command.insert(command.end(), {"--pasta", pasta()});
        const test::ProcessResult run = test::runProcess(command);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, said(ErrorKind::NotRegularFile, device));
    }
    EXPECT_EQ(readFile(first), test::cnpjRecord("50"));
}

// Names with spaces and accents give what plain names give: the first file replaced in its folder,
// the output written in the program folder.
TEST_F(FaultTest, pathsWithSpacesAndAccentsGiveWhatPlainPathsGive) {
    const std::string content = test::cnpjRecord("10", "EMPRESA\r\n") +
                                test::cnpjRecord("50", "nota,um\r\n") + test::cnpjRecord("54", "item\r\n75") +
                                std::string(16, '2') + "CÓDIGO";
    const std::string secondContent = "11ENDEREÇO\n60M20130301\n60D20130301\n";
    const std::string plainFirst = work.write("a.txt", content);
    const std::string plainSecond = work.write("b.txt", secondContent);
    ASSERT_EQ(test::runCli({"juntar", plainFirst, plainSecond, "--pasta", pasta(), "-q"}).status, 0);

    const fs::path program = work.path() / u8"Programa do Sintegra — março";
    const fs::path files = work.path() / u8"Declarações 2013" / u8"ação ç";
    for (const fs::path& path : {program, files}) {
        fs::create_directories(path);
    }
    fs::copy_file(folder.file("Sintegra.mod"), program / "Sintegra.mod");
    // As long a name as any system takes (255 bytes, 255 UTF-16 units): its temporary file and its
    // copy still have names.
    const fs::path first = files / ("arquivo " + std::string(243, 'x') + ".txt");
    writeFile(first, content);
    const fs::path second = files / u8"segundo arquivo nº 2.txt";
    writeFile(second, secondContent);

    const test::ProcessResult run =
        test::runCli({"juntar", pathText(first), pathText(second), "--pasta", pathText(program), "-q"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "Analise Terminada do arquivo [" + pathText(program / "sintegra.txt") + "] finalizada !\n");
    EXPECT_EQ(readFile(first), readFile(plainFirst));
    EXPECT_EQ(readFile(program / "sintegra.txt"), readFile(joined()));
    EXPECT_EQ(readFile(second), secondContent);
    const std::vector<std::string> copies = test::folderEntries(program / "Copias");
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].size(), 255u);
    EXPECT_EQ(readFile(program / "Copias" / copies[0]), content);
    EXPECT_EQ(test::leftoverTemps({work.path(), folder.path()}), std::vector<std::string>{});
}

} // namespace
} // namespace sintegra
