#include <algorithm>
#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include "support/files.hpp"
#include "support/process.hpp"
#include "support/temp_folder.hpp"

namespace sintegra {
namespace {

using test::readFile;
using test::record;
using test::runCli;

const std::filesystem::path kSamples = std::filesystem::path(ORV_TEST_DATA) / "samples";

// The report of a sample, with the path of its copy, as text or as a JSON string (a backslash
// escaped), written as the sample's name.
std::pair<int, std::string> verifySample(const test::TempFolder& work, const std::string& name,
                                         std::vector<std::string> options = {}) {
    const std::string copy = work.file(name);
    std::filesystem::copy_file(kSamples / name, copy, std::filesystem::copy_options::overwrite_existing);
    options.insert(options.begin(), {"verificar", copy});
    test::ProcessResult run = runCli(options);
    std::string escaped;
    for (const char c : copy) {
        escaped += c == '\\' ? "\\\\" : std::string(1, c);
    }
    for (const std::string& spelled : {copy, escaped}) {
        for (std::size_t at = run.out.find(spelled); at != std::string::npos; at = run.out.find(spelled)) {
            run.out.replace(at, spelled.size(), name);
        }
    }
    return {run.status, run.out};
}

// The first finding of a check in a JSON report.
nlohmann::json findingOf(const nlohmann::json& report, std::string_view code) {
    for (const nlohmann::json& finding : report["findings"]) {
        if (finding["code"] == code) {
            return finding;
        }
    }
    return nullptr;
}

TEST(VerifyCli, samplesGiveTheirReviewedReportsAndStayAsTheyWere) {
    test::TempFolder work;
    for (const std::string name : {"LuFelix_T2Ti_sintegra.txt", "htisistema_SISCOMX_sintegra.txt",
                                   "RooD7_ProjetoProgComercial_SINTEGRA.TXT"}) {
        const auto [status, report] = verifySample(work, name);
        EXPECT_EQ(status, 3) << name;
        EXPECT_EQ(report, readFile(kSamples / "expected" / (name + ".verificado.txt"))) << name;
        EXPECT_EQ(readFile(work.file(name)), readFile(kSamples / name)) << name;
    }
    // 1,015 findings: ten dates out of the period, three IEs...; five of each check shown, all with
    // --todas.
    const std::string all = verifySample(work, "LuFelix_T2Ti_sintegra.txt", {"--todas"}).second;
    std::size_t shown = 0;
    for (std::size_t at = 0; (at = all.find("\n  Linha ", at + 1)) != std::string::npos;) {
        ++shown;
    }
    EXPECT_EQ(shown, 1015u) << all;
}

TEST(VerifyCli, jsonAndCsvHoldEveryFindingUnderTheReportsKeys) {
    test::TempFolder work;
    const auto [status, text] = verifySample(work, "htisistema_SISCOMX_sintegra.txt", {"--json"});
    EXPECT_EQ(status, 3);
    const nlohmann::json report = nlohmann::json::parse(text);
    EXPECT_EQ(report["file"], "htisistema_SISCOMX_sintegra.txt");
    EXPECT_EQ(report["errors"], 12);
    EXPECT_EQ(report["warnings"], 0);
    ASSERT_EQ(report["findings"].size(), 12u);
    EXPECT_EQ(findingOf(report, "largura"),
              nlohmann::json::parse(R"({"line": 5, "columns": "1-137", "record": "60M",
        "field": "Largura da linha", "value": "137", "code": "largura", "severity": "erro",
        "message": "Linha 5, colunas 1-137, registro 60M, campo \"Largura da linha\" = \"137\": a linha deve ter 126 caracteres."})"));

    // The CSV report holds the same findings, one row each after the header.
    const std::string csv = verifySample(work, "htisistema_SISCOMX_sintegra.txt", {"--csv"}).second;
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 13);
    EXPECT_NE(csv.find("\r\n5;1-137;60M;Largura da linha;137;largura;erro;"), std::string::npos) << csv;
}

TEST(VerifyCli, exitStatusSaysWhetherTheFileHasErrors) {
    test::TempFolder work;
    const std::string informant = "11222333000181110042490114  ";
    const std::string valid =
        work.write("valid.txt",
                   test::crlfJoined({record("10" + informant + record("EMPRESA", 35) + record("CIDADE", 30) +
                                            "SP0000000000"
                                            "2024010120240131331"),
                                     record("11", 36) + "00001" + record("", 37) + "01001000" +
                                         record("", 28) + "001122223333",
                                     record("90" + informant + "9900000003", 125) + "1"}));
    const std::string letter = work.write("carta.txt", "Prezados,\r\nsegue o arquivo.\r\n");
    const std::vector<std::pair<std::vector<std::string>, int>> runs = {
        {{"verificar", work.file("none.txt")}, 1},
        {{"verificar", work.path().string()}, 1},
        {{"verificar", letter, "--json"}, 1},
        {{"verificar"}, 2},
        {{"verificar", valid, "--desconhecida"}, 2},
        {{"verificar", valid, "--pasta", work.file("no-folder")}, 0},
        {{"verificar", (kSamples / "RooD7_ProjetoProgComercial_SINTEGRA.TXT").string(), "--json"}, 3},
        {{"verificar", (kSamples / "RooD7_ProjetoProgComercial_SINTEGRA.TXT").string(), "--csv"}, 3},
        {{"verificar", letter, "--csv"}, 1},
        // DOS' end-of-file mark is no line: a warning only.
        {{"verificar", work.write("ctrl-z.txt", readFile(valid) + "\r\n\x1a")}, 0},
    };
    for (const auto& [arguments, status] : runs) {
        EXPECT_EQ(runCli(arguments).status, status) << arguments.back();
    }
#ifndef _WIN32
    // A report that a full disk or a closed output lost is no report.
    for (const std::string format : {"--todas", "--json", "--csv"}) {
        for (const std::string output : {">/dev/full", ">&-"}) {
            std::vector<std::string> command = test::cliCommand({"verificar", valid, format});
            command.insert(command.begin(), {"/bin/sh", "-c", "exec \"$@\" " + output, "sh"});
            const test::ProcessResult run = test::runProcess(command);
            EXPECT_EQ(run.status, 1) << format << output;
            EXPECT_EQ(run.err,
                      "sintegra-orv-cli: não foi possível escrever o relatório inteiro na saída padrão.\n");
        }
    }
#endif
    EXPECT_FALSE(std::filesystem::exists(work.file("no-folder")));
    const std::string ctrlZ = runCli({"verificar", work.file("ctrl-z.txt")}).out;
    EXPECT_NE(ctrlZ.find("(3 linhas)\n\n[aviso] ctrl-z - "), std::string::npos) << ctrlZ;
}

} // namespace
} // namespace sintegra
