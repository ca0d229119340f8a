#include <gtest/gtest.h>

#include "support/files.hpp"
#include "support/process.hpp"
#include "support/temp_folder.hpp"

namespace sintegra {
namespace {

using test::readFile;

// Files written by other programs, and what the program makes of them.
const std::filesystem::path kSamples = std::filesystem::path(ORV_TEST_DATA) / "samples";

std::string copyOfSample(const test::TempFolder& work, const std::string& name) {
    const std::string copy = work.file(name);
    std::filesystem::copy_file(kSamples / name, copy);
    return copy;
}

// The summary compares the output's findings with the input's, check by check: the repair adds
// none. A second run over the output changes nothing.
TEST(Samples, analyseGivesTheExpectedFilesAndSaysWhatTheRepairAdded) {
    const std::string none = "Comparado aos arquivos lidos: nenhuma verificação encontra mais problemas";
    const std::vector<std::pair<std::string, std::string>> samples = {
        {"LuFelix_T2Ti_sintegra.txt", "LuFelix_T2Ti_sintegra.analisado.txt"},
        {"htisistema_SISCOMX_sintegra.txt", "htisistema_SISCOMX_sintegra.analisado.txt"},
        {"RooD7_ProjetoProgComercial_SINTEGRA.TXT", "RooD7_ProjetoProgComercial_SINTEGRA.analisado.TXT"},
        {"orv_MG_dois_caixas.txt", "orv_MG_dois_caixas.analisado.txt"},
        {"orv_MG_editor_utf8.txt", "orv_MG_editor_utf8.analisado.txt"},
        {"resplandes_ARMAZEM_GIORDANI_2020-04.txt", "resplandes_ARMAZEM_GIORDANI_2020-04.analisado.txt"}};
    test::ProgramFolder folder;
    test::TempFolder work;
    for (const auto& [input, expected] : samples) {
        const std::string file = copyOfSample(work, input);
        for (int run = 0; run < 2; ++run) {
            const test::ProcessResult result =
                test::runCli({"analisar", file, "--pasta", folder.path().string()});
            ASSERT_EQ(result.status, 0);
            EXPECT_EQ(readFile(file), readFile(kSamples / "expected" / expected)) << input << " run " << run;
            EXPECT_NE(result.err.find(none), std::string::npos) << result.err;
        }
    }
}

TEST(Samples, joinGivesTheExpectedFileAndNormalizesOnlyTheFirst) {
    test::ProgramFolder folder;
    test::TempFolder work;
    const std::string first = copyOfSample(work, "LuFelix_T2Ti_sintegra.txt");
    const std::string second = copyOfSample(work, "htisistema_SISCOMX_sintegra.txt");
    ASSERT_EQ(test::runCli({"juntar", first, second, "--pasta", folder.path().string(), "-q"}).status, 0);
    EXPECT_EQ(readFile(folder.path() / "sintegra.txt"),
              readFile(kSamples / "expected" / "juntar-LuFelix-htisistema.txt"));
    EXPECT_EQ(readFile(second), readFile(kSamples / "htisistema_SISCOMX_sintegra.txt"));

    // The first sample has lines of 126 characters ended by LF: normalizing only changes the ends.
    std::string original = readFile(kSamples / "LuFelix_T2Ti_sintegra.txt");
    original.pop_back();
    std::string crlf;
    for (const char c : original) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    EXPECT_EQ(readFile(first), crlf);
}

} // namespace
} // namespace sintegra
