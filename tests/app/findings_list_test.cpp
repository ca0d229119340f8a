#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "app/findings_list.hpp"
#include "errors/error.hpp"
#include "support/files.hpp"
#include "support/temp_folder.hpp"
#include "verify/checks.hpp"
#include "verify/csv_report.hpp"

using namespace sintegra;
using namespace sintegra::app;

namespace {

namespace check = verify::check;

// Four numeric findings of which the list keeps two, found out of line order; a width error; a warning.
FindingsList sampleList() {
    verify::Report report(2);
    const auto add = [&](const verify::Check& found, std::uint64_t line, std::uint16_t column,
                         std::string value) {
        verify::report(report, found, [&] {
            return verify::makeFinding(found, line, column, column == 0 ? 0 : 51, "54", "Quantidade",
                                       std::move(value), "só algarismos");
        });
    };
    add(check::kUnused75, 9, 0, "P1");
    add(check::kNumeric, 7, 38, "1;2");
    add(check::kNumeric, 3, 0, "\xE7");
    add(check::kNumeric, 12, 0, "x");
    add(check::kWidth, 5, 0, "");
    return FindingsList::ofFile("a.txt", 12, report);
}

std::vector<std::string> lines(const FindingsList& list, const std::vector<std::size_t>& rows) {
    std::vector<std::string> shown;
    for (const std::size_t row : rows) {
        shown.push_back(list.cell(row, FindingColumn::Line));
    }
    return shown;
}

struct OrderCase {
    std::size_t filter;
    std::optional<FindingColumn> by;
    bool descending;
    std::vector<std::string> lines;
};

TEST(FindingsList, keepsErrorsFirstUnlessSortedAndFiltersByCheck) {
    const FindingsList list = sampleList();
    const OrderCase cases[] = {{0, std::nullopt, false, {"5", "7", "3", "9"}},
                               {0, FindingColumn::Line, false, {"3", "5", "7", "9"}},
                               {0, FindingColumn::Line, true, {"9", "7", "5", "3"}},
                               // Bytes compare unsigned: the Latin-1 byte comes last.
                               {0, FindingColumn::Value, false, {"5", "7", "9", "3"}},
                               {2, std::nullopt, false, {"7", "3"}},
                               {3, FindingColumn::Line, true, {"9"}}};
    for (const OrderCase& order : cases) {
        EXPECT_EQ(lines(list, list.shown(order.filter, order.by, order.descending)), order.lines)
            << "filter " << order.filter;
    }
}

TEST(FindingsList, countsFiltersAndCellsForThePerson) {
    const FindingsList list = sampleList();
    EXPECT_EQ(list.counts(),
              (std::vector<std::string>{
                  "Verificação de a.txt (12 linhas)", "Resultado: 4 erros e 1 aviso",
                  "Na lista, as primeiras 2 ocorrências de cada verificação; o total está no filtro."}));
    EXPECT_EQ(list.filters(),
              (std::vector<std::string>{
                  "Todas as verificações", "Linha com largura diferente da do seu tipo (1 ocorrência)",
                  "Campo numérico com caractere que não é algarismo (3 ocorrências)",
                  "Registro tipo 75 de um código que nenhum registro usa (1 ocorrência)"}));
    EXPECT_EQ(list.cell(2, FindingColumn::Value), "ç");
    EXPECT_EQ(list.cell(2, FindingColumn::Message), "erro: só algarismos");
    EXPECT_EQ(list.cell(3, FindingColumn::Message), "aviso: só algarismos");
    EXPECT_TRUE(list.textReport().starts_with("Verificação de a.txt (12 linhas)\n"));
}

// Program text in Windows-1252, the file's bytes as they are, quoted where they hold the separator;
// a cell that a spreadsheet would take as a formula begins with an apostrophe.
TEST(FindingsList, csvIsForBrazilianSpreadsheets) {
    EXPECT_EQ(sampleList().csvReport(),
              "Linha;Colunas;Registro;Campo;Valor;Verifica\xE7\xE3o;Gravidade;Mensagem\r\n"
              "5;;54;Quantidade;;largura;erro;s\xF3 algarismos\r\n"
              "7;38-51;54;Quantidade;\"1;2\";numerico;erro;s\xF3 algarismos\r\n"
              "3;;54;Quantidade;\xE7;numerico;erro;s\xF3 algarismos\r\n"
              "9;;54;Quantidade;P1;75-sem-uso;aviso;s\xF3 algarismos\r\n");
    const std::pair<std::string, std::string> cells[] = {
        {"=cmd|' /C calc'!A0", "'=cmd|' /C calc'!A0"},
        {"@SUM(1+1)", "'@SUM(1+1)"},
        {"+1", "'+1"},
        {"-1", "'-1"},
        {"\tx", "'\tx"},
        {"\rx", "\"'\rx\""},
        {"1=2-3", "1=2-3"},
        {"=HYPERLINK(\"http://x\")", "\"'=HYPERLINK(\"\"http://x\"\")\""}};
    for (const auto& [bytes, cell] : cells) {
        EXPECT_EQ(
            verify::csvRow(verify::makeFinding(check::kNumeric, 1, 0, 0, bytes, "Quantidade", bytes, "x")),
            "1;;" + cell + ";Quantidade;" + cell + ";numerico;erro;x\r\n");
    }
    EXPECT_EQ(verify::toCp1252("ação Nº ª É ü"), "a\xE7\xE3o N\xBA \xAA \xC9 \xFC");
    EXPECT_EQ(verify::toCp1252("€≠\xC3"), "???");
}

TEST(FindingsList, savesEitherReportInOneStepOrLeavesNothing) {
    const test::TempFolder folder;
    const FindingsList list = sampleList();
    saveReport(list, folder.file("r.csv"), ReportFormat::Csv);
    saveReport(list, folder.file("r.txt"), ReportFormat::Text);
    EXPECT_EQ(test::readFile(folder.file("r.csv")), list.csvReport());
    EXPECT_EQ(test::readFile(folder.file("r.txt")), list.textReport());
    EXPECT_THROW(saveReport(list, folder.file("falta/r.txt"), ReportFormat::Text), Error);
    EXPECT_EQ(test::folderEntries(folder.path()).size(), 2u);
}

} // namespace
