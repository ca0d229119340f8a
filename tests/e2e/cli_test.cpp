#ifdef _WIN32
#include <windows.h>
#endif

#include <gtest/gtest.h>

#include "files/path_text.hpp"
#include "support/files.hpp"
#include "support/process.hpp"
#include "support/running_copy.hpp"
#include "support/temp_folder.hpp"
#include "words/error_words.hpp"
#include "words/messages.hpp"

namespace sintegra {
namespace {

using enum ErrorKind;

using test::readFile;
using test::runCli;
using test::writeFile;

class CliTest : public ::testing::Test {
protected:
    std::string pasta() const { return folder.path().string(); }

    test::ProgramFolder folder;
    test::TempFolder work;
};

TEST_F(CliTest, analyseSaysWhereTheResultWentAndSummarizesOnStandardError) {
    const std::string file =
        work.write("a.txt", test::cnpjRecord("10", "x\r\n") + test::cnpjRecord("50", "one\r\n51gone\r\n"));
    const test::ProcessResult run = runCli({"analisar", file, "--pasta", pasta()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Analise Terminada do arquivo [" + file + "] finalizada !\n");
    // What the summary says is the runner's tests' business.
    EXPECT_TRUE(run.err.starts_with("Linhas lidas:\n  " + file + ": 3\n")) << run.err;

    const test::ProcessResult quiet = runCli({"-q", "analisar", file, "--pasta", pasta()});
    EXPECT_EQ(quiet.status, 0);
    EXPECT_EQ(quiet.err, "");

#ifndef _WIN32
    // Standard output a pipe whose reader has gone, as "| head" leaves it: the run ends as it would.
    const std::string script = "mkfifo \"$0\" || exit 9; (exec 3<\"$0\") & exec >\"$0\"; wait; exec \"$@\"";
    const test::ProcessResult unread = test::runProcess(
        {"/bin/sh", "-c", script, work.file("saida"), ORV_CLI_PROGRAM, "analisar", file, "--pasta", pasta()});
    EXPECT_EQ(unread.status, 0);
    EXPECT_TRUE(unread.err.starts_with("Linhas lidas:\n")) << unread.err;
#endif
}

// The folder joined with sintegra.txt by the system's separator, one only. A file joined with itself,
// under another spelling, is joined with a warning.
TEST_F(CliTest, joinWritesSintegraTxtInTheGivenFolder) {
    const std::string first = work.write("a.txt", test::cnpjRecord("50", "one"));
    const std::string separator(1, static_cast<char>(std::filesystem::path::preferred_separator));
    const std::vector<std::pair<std::string, std::string>> cases = {
        {pasta(), work.write("b.txt", test::cnpjRecord("50", "two"))},
        {pasta() + separator, work.path().string() + separator + "." + separator + "a.txt"},
    };
    for (const auto& [given, second] : cases) {
        const test::ProcessResult run = runCli({"juntar", first, second, "--pasta", given, "--quiet"});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out,
                  "Analise Terminada do arquivo [" + pasta() + separator + "sintegra.txt] finalizada !\n");
        EXPECT_EQ(run.err,
                  given == pasta() ? "" : "sintegra-orv-cli: aviso: Os dois arquivos são o mesmo.\n");
        EXPECT_EQ(test::crlfLines(readFile(folder.path() / "sintegra.txt")).size(), 3u);
    }
    EXPECT_EQ(
        test::folderEntries(folder.path()),
        (std::vector<std::string>{"Copias", "Sintegra.lck", "Sintegra.mdb", "Sintegra.mod", "sintegra.txt"}));
}

// Without --pasta, a copy of the program in a folder of its own keeps its files there.
TEST_F(CliTest, usesTheExecutablesFolderWithoutPasta) {
    const std::filesystem::path program = folder.path() / std::filesystem::path(ORV_CLI_PROGRAM).filename();
    std::filesystem::copy_file(ORV_CLI_PROGRAM, program);
    const std::string file = work.write("a.txt", test::cnpjRecord("50"));
    EXPECT_EQ(test::runProcess({pathText(program), "analisar", file, "-q"}).status, 0);
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "Sintegra.mdb"));
}

struct UsageCase {
    std::vector<std::string> arguments;
    int status;
    std::string out; // found in standard output, which is empty without it
    std::string err;
};

void expectAnswers(const std::vector<UsageCase>& cases) {
    for (const UsageCase& c : cases) {
        const test::ProcessResult run = runCli(c.arguments);
        EXPECT_EQ(run.status, c.status);
        EXPECT_TRUE(c.out.empty() ? run.out.empty() : run.out.find(c.out) != std::string::npos) << run.out;
        EXPECT_EQ(run.out.find("Options"), std::string::npos) << run.out;
        EXPECT_TRUE(run.err.starts_with(c.err)) << run.err;
    }
}

// Usage errors exit with 2 and say in Portuguese what is wrong, not in CLI11's English; help and the
// version go to standard output.
TEST_F(CliTest, answersUsageErrorsHelpAndVersion) {
    const std::string wrong = "sintegra-orv-cli: uso incorreto: ";
    expectAnswers({
        {{}, 2, "", wrong + "falta o comando: analisar, juntar ou verificar"},
        {{"analisar"}, 2, "", wrong + "falta ARQUIVO de analisar"},
        {{"juntar", "a.txt"}, 2, "", wrong + "falta ARQUIVO2 de juntar"},
        {{"analisar", "a", "b"}, 2, "", wrong + "argumento não esperado: b"},
        {{"limpar\x1B[2J", "a.txt"}, 2, "", wrong + "comando desconhecido: limpar\\x1B[2J"},
        {{"verificar", "a", "--json", "--csv"}, 2, "", wrong + "--json e --csv não podem ser usados juntos"},
        {{"analisar", "a", "--pasta"}, 2, "", wrong + "falta o valor de uma opção (--pasta PASTA)"},
        {{"analisar", "a", "--pasta", ""}, 2, "", wrong + "falta o valor de uma opção (--pasta PASTA)"},
        {{"--foo", "analisar", "a"}, 2, "", wrong + "argumento não esperado: --foo"},
        {{"--help"}, 0, "Uso: sintegra-orv-cli [OPÇÕES] COMANDO", ""},
        {{"analisar", "--help"}, 0, "Uso: sintegra-orv-cli analisar [OPÇÕES] ARQUIVO", ""},
        {{"juntar", "-h"}, 0, "Uso: sintegra-orv-cli juntar [OPÇÕES] ARQUIVO1 ARQUIVO2", ""},
        {{"--version"}, 0, "sintegra-orv-cli " ORV_VERSION_TEXT "\n", ""},
    });
}

#ifdef _WIN32
// As every Windows command does. A test of its own, so that the runs that both systems make are
// compared byte for byte.
TEST_F(CliTest, answersSlashQuestionMarkWithTheUsage) {
    expectAnswers({{{"/?"}, 0, "Uso: sintegra-orv-cli [OPÇÕES] COMANDO", ""},
                   {{"verificar", "/?"}, 0, "Uso: sintegra-orv-cli verificar", ""}});
}
#endif

TEST_F(CliTest, failsWithStatusOneNamingTheFileAndItsCause) {
    const std::string missing = work.file("nao existe.txt");
    const std::string noFolder = work.file("sem pasta");
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"analisar", missing, "--pasta", pasta()},
         errorWords(Error(CannotOpen, missing, make_error_code(std::errc::no_such_file_or_directory)))},
        {{"analisar", "", "--pasta", pasta()}, std::string(messages::kNoFileSelected)},
        {{"analisar", missing, "--pasta", noFolder}, errorWords(Error(ProgramFolderMissing, noFolder))},
    };
    for (const auto& [arguments, message] : cases) {
        const test::ProcessResult run = runCli(arguments);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "sintegra-orv-cli: " + message + "\n");
    }
}

// Two real copies: the second starts while the first runs in the same folder, stopped there so that
// it cannot end first. The second refuses and touches nothing; the first then completes.
TEST_F(CliTest, aSecondCopyRefusesTheFolderOfARunningCopyAndTouchesNothing) {
    test::RunningCopy running(folder.path(), work.path());
    const std::filesystem::path store = folder.path() / "Sintegra.mdb";
    const auto storeWritten = std::filesystem::last_write_time(store);
    const std::string file = work.write("a.txt", test::cnpjRecord("50"));
    for (const std::vector<std::string>& files : {std::vector{file}, std::vector{file, work.file("b.txt")}}) {
        std::vector<std::string> arguments = {files.size() == 1 ? "analisar" : "juntar"};
        arguments.insert(arguments.end(), files.begin(), files.end());
        arguments.insert(arguments.end(), {"--pasta", pasta()});
        const test::ProcessResult run = runCli(arguments);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, "sintegra-orv-cli: " + errorWords(Error(FolderInUse)) + "\n");
    }
    EXPECT_EQ(readFile(file), test::cnpjRecord("50"));
    EXPECT_EQ(std::filesystem::last_write_time(store), storeWritten);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "sintegra.txt"));
    const test::ProcessResult first = running.finish();
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_NE(first.out.find("finalizada !"), std::string::npos);
}

// Ctrl-C, as SIGINT on POSIX and as the console's event on Windows, stops a run in the middle; so
// does the SIGHUP of a terminal closed under it.
TEST_F(CliTest, anInterruptedRunEndsWithStatus130AndChangesNothing) {
#ifdef _WIN32
    const int signals[] = {SIGINT};
#else
    const int signals[] = {SIGINT, SIGHUP};
#endif
    for (const int signal : signals) {
        SCOPED_TRACE(signal);
        std::filesystem::remove(folder.path() / "Sintegra.mdb");
        test::RunningCopy running(folder.path(), work.path());
        const std::string file = readFile(work.path() / "grande.txt");
        const test::ProcessResult run = running.interrupt(signal);
        EXPECT_EQ(run.status, 130);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "sintegra-orv-cli: " + std::string(messages::kCancelled) + "\n");
        EXPECT_EQ(readFile(work.path() / "grande.txt"), file);
        EXPECT_EQ(test::leftoverTemps({work.path(), folder.path()}), std::vector<std::string>{});
    }
}

#ifdef _WIN32
// Windows only: the manifest in the executable's resources.
TEST(CliManifest, asksForUtf8AsTheCodePageAndToRunAsTheUser) {
    const HMODULE cli = LoadLibraryExW(std::filesystem::path(ORV_CLI_PROGRAM).c_str(), nullptr,
                                       LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    const HRSRC found = FindResourceW(cli, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(found, nullptr);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(cli, found))),
                               SizeofResource(cli, found));
    EXPECT_NE(manifest.find(">UTF-8</activeCodePage>"), std::string::npos);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    FreeLibrary(cli);
}
#endif

} // namespace
} // namespace sintegra
