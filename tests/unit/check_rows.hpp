#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "verify/join_checks.hpp"
#include "verify/stream_check.hpp"

// The lines that make each check fire, or not, as tables of rows; a table a unit: the fields', the
// relations', and the rest.
namespace sintegra::verify {

// The bytes of a record line, padded to 126 columns.
inline std::string pad(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

// A line with text written over it from a column on.
inline std::string at(std::string line, std::size_t column, std::string_view text) {
    return line.replace(column - 1, text.size(), text);
}

// One object of each across the test files (inline), so that the inline functions below that read them
// read the same one, initialized before every table that uses it.
inline const std::string kCnpj = "11222333000181";
inline const std::string kInformant = kCnpj + pad("110042490114", 14);
inline const std::string k10 = "10" + kInformant + pad("EMPRESA", 35) + pad("CIDADE", 30) +
                               "SP0000000000"
                               "20240101"
                               "20240131"
                               "331";
inline const std::string k11 = "11" + pad("RUA", 34) + "00001" + pad("", 22) + pad("BAIRRO", 15) +
                               "01001000" + pad("FULANO", 28) + "001122223333";
inline const std::string k50 =
    "50" + kCnpj + pad("ISENTO", 14) + "20240105SP011  0001235102P" + std::string(65, '0') + "1800N";
inline const std::string k51 =
    "51" + kCnpj + pad("ISENTO", 14) + "20240105SP1  0001235102" + std::string(52, '0') + pad("", 20) + "N";
inline const std::string k53 =
    "53" + kCnpj + pad("ISENTO", 14) + "20240105SP011  0001235102P" + std::string(39, '0') + pad("N", 31);
inline const std::string k54 =
    "54" + kCnpj + "011  0001235102000001" + pad("PROD1", 14) + std::string(71, '0') + "1800";
// Goods of the informant's own in its hands: no holder (possession code 1).
inline const std::string k74 = "7420240131" + pad("PROD1", 14) + std::string(26, '0') + "1" +
                               std::string(14, '0') + pad("", 14) + pad("SP", 47);
// The Receita's example of an alphanumeric CNPJ, and one made by its rule.
inline const std::string kLettered = "12ABC34501DE35";
inline const std::string kLettered2 = "A1B2C3D4E5F668";
inline const std::string k75 = "75"
                               "2024010120240131" +
                               pad("PROD1", 22) + pad("PRODUTO", 53) + pad("UN", 6) + std::string(27, '0');
// Minas Gerais' entry of an item under tax substitution, 237 columns.
inline const std::string k88Stitnf =
    "88STITNF17254509000163551  000012345140306000120240115" + pad("PROD1", 60) +
    "0000001000000000010000000000000000000000010000000000014000018001200000000005000" +
    "31240117254509000163550010000123451000123458";
inline const std::string k60M = "60M20240105" + pad("ECF1", 20) + "0012D" + pad(std::string(53, '0'), 90);
inline const std::string k60A = "60A20240105" + pad("ECF1", 20) + "1800" + pad(std::string(12, '0'), 91);
inline std::string totals(std::string_view pairs, char records = '1') {
    return pad("90" + kInformant + std::string(pairs), 125) + records;
}
inline const std::string k90 = totals("9900000003");
// The record, then count totals records: past nine, each is judged as it comes, against what was
// read before it.
inline std::vector<std::string> withTotals(const std::string& record, std::string_view pairs,
                                           std::size_t count) {
    std::vector<std::string> lines(count + 1, totals(pairs, '9'));
    lines.front() = record;
    return lines;
}

struct Row {
    std::string_view code;
    bool fires;
    std::vector<std::string> lines;
    std::vector<std::string> joined = {}; // a second file, joined to the first
    std::size_t limit = SIZE_MAX;         // of the codes and documents remembered
};

class Codes : public FindingSink {
public:
    bool wants(const Check&) override { return true; }
    void add(Finding&& finding) override { codes.push_back(finding.check->code); }
    std::vector<std::string_view> codes;
};

// The lines checked as a file's bytes, each piece a line and its end.
inline FileHeader checkLines(const std::vector<std::string>& lines, Codes& found,
                             std::size_t limit = SIZE_MAX) {
    StreamCheck checked(found, Scope::Everything, limit, ShapeCheck::Skipped);
    for (const std::string& line : lines) {
        checked.feed(line + "\r\n");
    }
    checked.finish();
    return checked.header();
}

// Each row's check fires on its lines, and does not on the rows that say it does not.
inline void expectEachFiresOnItsFaultAndOnlyThere(const std::vector<Row>& rows) {
    for (const Row& row : rows) {
        Codes found;
        const FileHeader first = checkLines(row.lines, found, row.limit);
        if (!row.joined.empty()) {
            checkJoin(first, checkLines(row.joined, found), found);
        }
        const bool fired = std::find(found.codes.begin(), found.codes.end(), row.code) != found.codes.end();
        EXPECT_EQ(fired, row.fires) << row.code << (row.fires ? " should fire" : " should not fire");
    }
}

extern const std::vector<Row> kFieldRows;
extern const std::vector<Row> kRelationRows;

} // namespace sintegra::verify
