#ifdef _WIN32
#include <windows.h>
#endif

#include <gtest/gtest.h>

#include "run/messages.hpp"
#include "support/files.hpp"
#include "support/process.hpp"
#include "support/running_copy.hpp"
#include "support/temp_folder.hpp"

namespace sintegra {
namespace {

using test::readFile;
using test::record;
using test::runCli;
using test::writeFile;

class CliTest : public ::testing::Test {
protected:
    std::string pasta() const { return folder.path().string(); }

    test::ProgramFolder folder;
    test::TempFolder work;
};

TEST_F(CliTest, analyseSaysWhereTheResultWentAndSummarizesOnStandardError) {
    const std::string file = work.write("a.txt", "10x\r\n50one\r\n51gone\r\n");
    const test::ProcessResult run = runCli({"analisar", file, "--pasta", pasta()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Analise Terminada do arquivo [" + file + "] finalizada !\n");
    EXPECT_NE(run.err.find("Linhas lidas:\n  " + file + ": 3\n"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("  tipo 50: 1\n"), std::string::npos);
    EXPECT_NE(run.err.find("Linhas descartadas: 1\n  código \"51\": 1\n"), std::string::npos);
    EXPECT_NE(run.err.find("repetidos removidos: 0"), std::string::npos);

    const test::ProcessResult quiet = runCli({"-q", "analisar", file, "--pasta", pasta()});
    EXPECT_EQ(quiet.status, 0);
    EXPECT_EQ(quiet.err, "");
}

// The folder joined with sintegra.txt by the system's separator, one only.
TEST_F(CliTest, joinWritesSintegraTxtInTheGivenFolder) {
    const std::string first = work.write("a.txt", "50one");
    const std::string second = work.write("b.txt", "50two");
    const std::string separator(1, static_cast<char>(std::filesystem::path::preferred_separator));
    for (const std::string& given : {pasta(), pasta() + separator}) {
        const test::ProcessResult run = runCli({"juntar", first, second, "--pasta", given, "--quiet"});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out,
                  "Analise Terminada do arquivo [" + pasta() + separator + "sintegra.txt] finalizada !\n");
        EXPECT_EQ(test::crlfLines(readFile(folder.path() / "sintegra.txt")).size(), 5u);
    }
    EXPECT_EQ(
        test::folderEntries(folder.path()),
        (std::vector<std::string>{"Copias", "Sintegra.lck", "Sintegra.mdb", "Sintegra.mod", "sintegra.txt"}));
}

TEST_F(CliTest, usesTheExecutablesFolderWithoutPasta) {
    const std::string file = work.write("a.txt", "50one");
    EXPECT_EQ(runCli({"analisar", file, "-q"}).status, 0);
    EXPECT_TRUE(
        std::filesystem::exists(std::filesystem::path(ORV_CLI_PROGRAM).parent_path() / "Sintegra.mdb"));
}

// Each says in Portuguese what is wrong, not CLI11's English.
TEST_F(CliTest, rejectsWrongUsageWithStatusTwo) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> wrong = {
        {{}, "falta o comando: analisar, juntar ou verificar"},
        {{"analisar"}, "falta ARQUIVO de analisar"},
        {{"juntar", "a.txt"}, "falta ARQUIVO2 de juntar"},
        {{"analisar", "a", "b"}, "argumento não esperado: b"},
        {{"limpar", "a.txt"}, "comando desconhecido: limpar"},
        {{"analisar", "a", "--pasta"}, "falta o valor de uma opção (--pasta PASTA)"},
        {{"--foo", "analisar", "a"}, "argumento não esperado: --foo"}};
    for (const auto& [arguments, problem] : wrong) {
        const test::ProcessResult run = runCli(arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("sintegra-orv-cli: uso incorreto: " + problem, 0), 0u) << run.err;
    }
}

TEST_F(CliTest, answersHelpAndVersion) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> helps = {
        {{"--help"}, "Uso: sintegra-orv-cli [OPÇÕES] COMANDO"},
        {{"analisar", "--help"}, "Uso: sintegra-orv-cli analisar [OPÇÕES] ARQUIVO"},
        {{"juntar", "-h"}, "Uso: sintegra-orv-cli juntar [OPÇÕES] ARQUIVO1 ARQUIVO2"}};
    for (const auto& [arguments, usage] : helps) {
        const test::ProcessResult help = runCli(arguments);
        EXPECT_EQ(help.status, 0);
        EXPECT_NE(help.out.find(usage), std::string::npos) << help.out;
        EXPECT_EQ(help.out.find("Options"), std::string::npos) << help.out;
    }
    const test::ProcessResult version = runCli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "sintegra-orv-cli " ORV_VERSION_TEXT "\n");
}

TEST_F(CliTest, failsWithStatusOneNamingTheFileAndItsCause) {
    const std::string missing = work.file("nao existe.txt");
    const test::ProcessResult run = runCli({"analisar", missing, "--pasta", pasta()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "sintegra-orv-cli: Não foi possível abrir o arquivo \"" + missing +
                           "\": o arquivo ou a pasta não existe. Nenhum arquivo foi alterado.\n");

    const test::ProcessResult none = runCli({"analisar", "", "--pasta", pasta()});
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.err.find(messages::kNoFileSelected), std::string::npos);

    const test::ProcessResult noFolder = runCli({"analisar", missing, "--pasta", work.file("sem pasta")});
    EXPECT_EQ(noFolder.status, 1);
    EXPECT_EQ(noFolder.err, "sintegra-orv-cli: A pasta do programa \"" + work.file("sem pasta") +
                                "\" não existe. Nenhum arquivo foi alterado.\n");

    const test::ProcessResult noTemplate =
        runCli({"analisar", work.write("a.txt", "50"), "--pasta", work.path().string()});
    EXPECT_EQ(noTemplate.status, 1);
    EXPECT_NE(
        noTemplate.err.find("Sintegra.mod não foi encontrado na pasta \"" + work.path().string() + "\""),
        std::string::npos);
}

// Two real copies: the second starts while the first runs in the same folder, stopped there so that
// it cannot end first. The second refuses and touches nothing; the first then completes.
TEST_F(CliTest, aSecondCopyRefusesTheFolderOfARunningCopyAndTouchesNothing) {
    test::RunningCopy running(folder.path(), work.path());
    const std::filesystem::path store = folder.path() / "Sintegra.mdb";
    const auto storeWritten = std::filesystem::last_write_time(store);
    const std::string file = work.write("a.txt", "50one");
    for (const std::vector<std::string>& files : {std::vector{file}, std::vector{file, file}}) {
        std::vector<std::string> arguments = {files.size() == 1 ? "analisar" : "juntar"};
        arguments.insert(arguments.end(), files.begin(), files.end());
        arguments.insert(arguments.end(), {"--pasta", pasta()});
        const test::ProcessResult run = runCli(arguments);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, "sintegra-orv-cli: " + std::string(messages::kFolderInUse) + " " +
                               std::string(messages::kFilesUnchanged) + "\n");
    }
    EXPECT_EQ(readFile(file), "50one");
    EXPECT_EQ(std::filesystem::last_write_time(store), storeWritten);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "sintegra.txt"));
    const test::ProcessResult first = running.finish();
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_NE(first.out.find("finalizada !"), std::string::npos);
}

// Ctrl-C, as SIGINT on POSIX and as the console's event on Windows, stops a run in the middle.
TEST_F(CliTest, anInterruptedRunEndsWithStatus130AndChangesNothing) {
    test::RunningCopy running(folder.path(), work.path());
    const std::string file = readFile(work.path() / "grande.txt");
    const test::ProcessResult run = running.interrupt();
    EXPECT_EQ(run.status, 130);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "sintegra-orv-cli: " + std::string(messages::kCancelled) + "\n");
    EXPECT_EQ(readFile(work.path() / "grande.txt"), file);
    EXPECT_EQ(test::leftoverTemps({work.path(), folder.path()}), std::vector<std::string>{});
}

// Whatever ends its lines, a file gives the same result, and bytes above 127 come back unchanged.
TEST_F(CliTest, treatsLfCrAndCrLfAlikeAndKeepsEveryByte) {
    std::string high;
    for (int byte = 128; byte < 256; ++byte) {
        high += static_cast<char>(byte);
    }
    const std::vector<std::string> lines = {"10\xc9MPRESA", "50" + high.substr(0, 100),
                                            "54" + high.substr(100)};
    std::string expected;
    for (const char* end : {"\n", "\r", "\r\n"}) {
        std::string content;
        for (const std::string& line : lines) {
            content += line + end;
        }
        const std::string file = work.write("a.txt", content);
        ASSERT_EQ(runCli({"analisar", file, "--pasta", pasta(), "-q"}).status, 0);
        const std::string output = readFile(file);
        if (expected.empty()) {
            expected = output;
        }
        EXPECT_EQ(output, expected);
    }
    const std::vector<std::string> written = test::crlfLines(expected);
    ASSERT_EQ(written.size(), 5u);
    EXPECT_EQ(written[0], record(lines[0]));
    EXPECT_EQ(written[2], record(lines[1]));
    EXPECT_EQ(written[3], record(lines[2]));
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
