#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "layout/display_text.hpp"
#include "verify/checks.hpp"
#include "verify/join_checks.hpp"
#include "verify/stream_check.hpp"

namespace sintegra::verify {
namespace {

// The bytes of a record line, padded to 126 columns.
std::string pad(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

// A line with text written over it from a column on.
std::string at(std::string line, std::size_t column, std::string_view text) {
    return line.replace(column - 1, text.size(), text);
}

const std::string kCnpj = "11222333000181";
const std::string kInformant = kCnpj + pad("110042490114", 14);
const std::string k10 = "10" + kInformant + pad("EMPRESA", 35) + pad("CIDADE", 30) +
                        "SP0000000000"
                        "20240101"
                        "20240131"
                        "331";
const std::string k11 = "11" + pad("RUA", 34) + "00001" + pad("", 22) + pad("BAIRRO", 15) + "01001000" +
                        pad("FULANO", 28) + "001122223333";
const std::string k50 =
    "50" + kCnpj + pad("ISENTO", 14) + "20240105SP011  0001235102P" + std::string(65, '0') + "1800N";
const std::string k51 =
    "51" + kCnpj + pad("ISENTO", 14) + "20240105SP1  0001235102" + std::string(52, '0') + pad("", 20) + "N";
const std::string k53 =
    "53" + kCnpj + pad("ISENTO", 14) + "20240105SP011  0001235102P" + std::string(39, '0') + pad("N", 31);
const std::string k54 =
    "54" + kCnpj + "011  0001235102000001" + pad("PROD1", 14) + std::string(71, '0') + "1800";
// Goods of the informant's own in its hands: no holder (possession code 1).
const std::string k74 = "7420240131" + pad("PROD1", 14) + std::string(26, '0') + "1" + std::string(14, '0') +
                        pad("", 14) + pad("SP", 47);
// The Receita's example of an alphanumeric CNPJ, and one made by its rule.
const std::string kLettered = "12ABC34501DE35";
const std::string kLettered2 = "A1B2C3D4E5F668";
const std::string k75 = "75"
                        "2024010120240131" +
                        pad("PROD1", 22) + pad("PRODUTO", 53) + pad("UN", 6) + std::string(27, '0');
// Minas Gerais' entry of an item under tax substitution, 237 columns.
const std::string k88Stitnf =
    "88STITNF17254509000163551  000012345140306000120240115" + pad("PROD1", 60) +
    "0000001000000000010000000000000000000000010000000000014000018001200000000005000" +
    "31240117254509000163550010000123451000123458";
const std::string k60M = "60M20240105" + pad("ECF1", 20) + "0012D" + pad(std::string(53, '0'), 90);
const std::string k60A = "60A20240105" + pad("ECF1", 20) + "1800" + pad(std::string(12, '0'), 91);
std::string totals(std::string_view pairs, char records = '1') {
    return pad("90" + kInformant + std::string(pairs), 125) + records;
}
const std::string k90 = totals("9900000003");
// The record, then count totals records: past nine, each is judged as it comes, against what was
// read before it.
std::vector<std::string> withTotals(const std::string& record, std::string_view pairs, std::size_t count) {
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

// One row that makes each check fire and one that does not.
const std::vector<Row> kRows = {
    {"primeiro-10", true, {k11}},
    {"primeiro-10", false, {k10}},
    {"segundo-11", true, {k10, k50}},
    {"segundo-11", false, {k10, k11}},
    {"10-11-fora-do-lugar", true, {k10, k11, k11}},
    {"10-11-fora-do-lugar", false, {k10, k11, k50}},
    {"tipo-desconhecido", true, {"12" + k50.substr(2)}},
    {"tipo-desconhecido", true, {at(k60A, 3, "m")}},
    {"tipo-desconhecido", false, {k50, pad("88SP05", 126), pad("88ZZZZ", 99)}},
    {"largura", true, {k50 + " "}},
    {"largura", true, {pad("88STITNF", 144)}},
    {"largura", false, {k50, k88Stitnf}},
    {"ordem", true, {k54, k50}},
    {"ordem", false, {k50, k54}},
    {"depois-90", true, {k90, k50}},
    {"depois-90", false, {k50, k90, k90}},
    {"fim-90", true, {k10, k11, k50}},
    {"fim-90", false, {k10, k11, k90, "garbage"}},
    {"ctrl-z", true, {k50, k90 + "\x1a"}},
    {"ctrl-z", false, {k50, k90}},
    {"numerico", true, {at(k50, 46, "00A123")}},
    {"numerico", true, {at(k50, 57, "0000000000:00")}},
    {"numerico",
     true,
     {at(k50, 57,
         "00000000\xFF"
         "0000")}},
    {"numerico", true, {at(k50, 3, "12abc34501de35")}},
    {"numerico", true, {at(k50, 3, "12ABC34501DE3A")}},
    // A line cut short: its missing fields are blanks, as a repair pads them.
    {"numerico", true, {k50.substr(0, 83)}},
    {"tabela", true, {k50.substr(0, 83)}},
    {"numerico", false, {k50, k88Stitnf, at(k50, 3, kLettered), at(k10, 3, kLettered2)}},
    {"data", true, {at(k50, 31, "20240230")}},
    {"data", false, {at(k50, 31, "20240229"), k88Stitnf}},
    {"periodo", true, {k10, at(k50, 31, "20240201")}},
    {"periodo", false, {k10, at(k50, 31, "20240131"), pad("60R012024" + pad("PROD1", 14), 72) + pad("", 54)}},
    {"periodo-10", true, {at(k10, 108, "2024013120240101")}},
    {"periodo-10", false, {at(k10, 108, "2024010120240101")}},
    {"periodo-mes", true, {at(k10, 108, "2024010120240130")}},
    {"periodo-mes",
     false,
     {at(k10, 108, "2024020120240229"), at(at(k10, 108, "2024010520240110"), 126, "2")}},
    {"uf", true, {at(k50, 39, "XX")}},
    {"uf", false, {at(k50, 39, "EX")}},
    {"cnpj-cpf", true, {at(k50, 3, "11222333000182")}},
    {"cnpj-cpf", true, {at(k50, 3, "12ABC34501DE36")}},
    {"cnpj-cpf", true, {at(k50, 3, "000ABC45678909")}}, // a CPF has no letters
    {"cnpj-cpf",
     false,
     {at(k50, 3, "00012345678909"), at(k50, 3, std::string(14, '0')), k88Stitnf, at(k50, 3, kLettered),
      at(k54, 3, kLettered2), k74}},
    {"cnpj-alfanumerico", true, {at(k50, 3, kLettered)}},
    {"cnpj-alfanumerico", false, {k50, at(k50, 3, "12abc34501de35"), at(k50, 3, "12ABC34501DE36")}},
    {"inscricao-estadual", true, {at(k50, 17, "110042490115")}},
    {"inscricao-estadual", true, {at(k10, 17, pad("ISENTO", 14))}},
    {"inscricao-estadual", true, {at(k10, 96, "MG")}},
    {"inscricao-estadual", true, {k10, at(k90, 17, "110042490115")}}, // by the type 10 record's UF
    {"inscricao-estadual", true, {at(k74, 51, "2")}}, // goods in another's hands name the holder
    {"inscricao-estadual", false, {k10, k50, at(k50, 17, "110042490114"), at(k50, 39, "EX"), k90, k74}},
    {"tabela", true, {at(k10, 126, "4")}},
    {"tabela", false, {at(k10, 126, "5")}},
    {"tabela", true, {at(k50, 41, "02")}},
    {"tabela", false, {at(k50, 41, "55")}},
    {"cfop", true, {at(k50, 52, "5999")}},
    {"cfop", false, {at(at(k50, 52, "0000"), 126, "S"), at(k54, 28, "1949")}},
    {"cfop-uf", true, {k10, at(k53, 52, "6102")}},
    {"cfop-uf", false, {k10, at(at(k50, 39, "EX"), 52, "7102"), at(at(k51, 39, "RJ"), 50, "2102")}},
    {"obrigatorio", true, {at(k10, 66, std::string(30, ' '))}},
    {"obrigatorio", true, {at(k11, 37, "00000")}},
    {"obrigatorio", false, {k10, at(at(k11, 37, "00000"), 42, "S/N")}},
    {"produto-sem-75", true, {k54}},
    {"produto-sem-75", false, {k54, k75}},
    {"54-sem-50", true, {at(k50, 41, "55"), k54}},
    {"54-sem-50", false, {k50, k54, at(k50, 3, kLettered), at(k54, 3, kLettered)}},
    {"51-sem-50", true, {k51}},
    {"51-sem-50", false, {k50, k51, at(k50, 3, kLettered), at(k51, 3, kLettered)}},
    {"53-sem-50", true, {at(k50, 46, "000124"), k53}},
    {"53-sem-50", false, {k50, k53, at(k50, 3, kLettered), at(k53, 3, kLettered)}},
    {"60-sem-60m", true, {at(k60M, 4, "20240106"), k60A}},
    {"60-sem-60m", false, {k60M, k60A}},
    {"75-sem-uso", true, {k75}},
    {"75-sem-uso", false, {k54, k75}},
    {"90-cnpj-ie", true, {k10, at(k90, 17, "123")}},
    {"90-cnpj-ie", false, {k10, k90}},
    {"total-tipo", true, {k50, totals("5000000002")}},
    {"total-tipo", false, {k50, totals("5000000001")}},
    {"total-tipo", true, withTotals(k50, "5000000002", 12)},
    {"total-tipo", false, withTotals(k50, "5000000001", 12)},
    {"total-ausente", true, {k50, k54, totals("5000000001")}},
    {"total-ausente", false, {k10, k11, k50, totals("5000000001")}},
    {"total-geral", true, {k10, k11, totals("9900000004")}},
    {"total-geral", false, {k10, k11, k90}},
    // A 60 of a sub-type the layout lacks is a type 60 record all the same.
    {"total-tipo", false, {k60M, at(k60A, 3, "m"), totals("60000000029900000003")}},
    {"total-geral", false, {k60M, at(k60A, 3, "m"), totals("60000000029900000003")}},
    {"total-90", true, {k90, k90}},
    {"total-90", false, {totals("", '2'), totals("9900000002", '2')}},
    {"juntar-cnpj-ie", true, {k10}, {at(k10, 3, "00012345678909")}},
    {"juntar-cnpj-ie", false, {k10}, {at(k10, 108, "2024020120240229")}},
    {"juntar-sobreposicao", true, {k10}, {at(k10, 108, "2024013120240229")}},
    {"juntar-sobreposicao", false, {k10}, {at(k10, 108, "2024020120240229")}},
    {"juntar-intervalo", true, {k10}, {at(k10, 108, "2024020220240229")}},
    {"juntar-intervalo", false, {k10}, {at(k10, 108, "2023120120231231")}},
    // Past the limit a document goes unremembered, and its type 54 record is not called an orphan.
    {"relacoes-parciais", true, {k10, k11, k50, at(k50, 46, "999999"), k54}, {}, 1},
    {"relacoes-parciais", false, {k10, k11, k50, k54}, {}, 1},
    {"54-sem-50", false, {k10, k11, k50, at(k50, 46, "999999"), at(k54, 22, "999999")}, {}, 1},
};

class Codes : public FindingSink {
public:
    bool wants(const Check&) override { return true; }
    void add(Finding&& finding) override { codes.push_back(finding.check->code); }
    std::vector<std::string_view> codes;
};

// The lines checked as a file's bytes, each piece a line and its end.
FileHeader check(const std::vector<std::string>& lines, Codes& found, std::size_t limit = SIZE_MAX) {
    StreamCheck checked(found, Scope::Everything, limit, ShapeCheck::Skipped);
    for (const std::string& line : lines) {
        checked.feed(line + "\r\n");
    }
    checked.finish();
    return checked.header();
}

TEST(VerifyChecks, eachFiresOnItsFaultAndOnlyThere) {
    for (const Row& row : kRows) {
        Codes found;
        const FileHeader first = check(row.lines, found, row.limit);
        if (!row.joined.empty()) {
            checkJoin(first, check(row.joined, found), found);
        }
        const bool fired = std::find(found.codes.begin(), found.codes.end(), row.code) != found.codes.end();
        EXPECT_EQ(fired, row.fires) << row.code << (row.fires ? " should fire" : " should not fire");
    }
}

TEST(VerifyChecks, theTableHasBothRowsForEveryCheck) {
    for (const Check* check : check::kAll) {
        for (const bool fires : {true, false}) {
            EXPECT_TRUE(std::any_of(kRows.begin(), kRows.end(), [&](const Row& r) {
                return r.code == check->code && r.fires == fires;
            })) << check->code;
        }
    }
}

// Not one of a thousand files of random bytes, of sizes spread evenly in magnitude from a byte to
// 64 KiB, read as the run reads them, is taken for a SINTEGRA file.
TEST(FileShape, takesNoFileOfRandomBytes) {
    std::mt19937 random(22);
    int accepted = 0;
    for (int file = 0; file < 1000; ++file) {
        std::string bytes(static_cast<std::size_t>(std::exp2(file % 100 * 0.16)), '\0');
        for (char& byte : bytes) {
            byte = static_cast<char>(random() % 256);
        }
        StreamCheck shape;
        try {
            shape.feed(bytes);
            shape.finish();
            ++accepted;
        } catch (const NotSintegra&) {
        }
    }
    EXPECT_EQ(accepted, 0);
}

// Every byte value, as a field that is not UTF-8: C0, DEL and what Windows-1252 leaves undefined
// escaped, 0x80-0x9F its letters and signs. A UTF-8 field stays UTF-8, its C1 controls escaped too.
TEST(DisplayText, showsEveryByteAsWindows1252OrUtf8WithControlsEscaped) {
    std::string every;
    for (int byte = 0; byte < 256; ++byte) {
        every += static_cast<char>(byte);
    }
    const std::pair<std::string, std::string> rows[] = {
        {every, "\\x00\\x01\\x02\\x03\\x04\\x05\\x06\\x07\\x08\\x09\\x0A\\x0B\\x0C\\x0D\\x0E\\x0F"
                "\\x10\\x11\\x12\\x13\\x14\\x15\\x16\\x17\\x18\\x19\\x1A\\x1B\\x1C\\x1D\\x1E\\x1F"
                " !\"#$%&'()*+,-./"
                "0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~\\x7F"
                "€\\x81‚ƒ„…†‡ˆ‰Š‹Œ\\x8DŽ\\x8F\\x90‘’“”•–—"
                "˜™š›œ\\x9DžŸ\xC2\xA0¡¢£¤¥¦§¨©ª«¬\xC2\xAD®¯°±²³´µ¶·¸¹º»¼½¾¿ÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖ×ØÙÚÛÜÝÞßàá"
                "âãäåæçèéêëìíîïðñòóôõö÷øùúûüýþÿ"},
        {"ação € \xF0\x9F\x93\x84", "ação € \xF0\x9F\x93\x84"},
        {"\xC2\x9B"
         "2J \xC2\x85 \xC2\xA0",
         "\\xC2\\x9B"
         "2J \\xC2\\x85 \xC2\xA0"},
        {"x] finalizada !\nAnalise\x1B]52;c;eA==\x07", "x] finalizada !\\x0AAnalise\\x1B]52;c;eA==\\x07"},
        {"\x93ok\x94 \xC3\xA7\x9B", "“ok” Ã§›"}, // one byte that is not UTF-8 makes the field Windows-1252
        {"\xC0\xAF \xED\xA0\x80 \xF4\x90\x80\x80", "À¯ í\xC2\xA0€ ô\\x90€€"}, // overlong, surrogate, too high
    };
    for (const auto& [bytes, shown] : rows) {
        EXPECT_EQ(displayText(bytes), shown) << bytes;
    }
}

} // namespace
} // namespace sintegra::verify
