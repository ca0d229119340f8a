#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "check_rows.hpp"
#include "layout/display_text.hpp"
#include "verify/checks.hpp"

namespace sintegra::verify {
namespace {

// One row that makes each check of the records' order, widths and totals fire and one that does not.
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
    {"periodo-10", true, {at(k10, 108, "2024013120240101")}},
    {"periodo-10", false, {at(k10, 108, "2024010120240101")}},
    {"periodo-mes", true, {at(k10, 108, "2024010120240130")}},
    {"periodo-mes",
     false,
     {at(k10, 108, "2024020120240229"), at(at(k10, 108, "2024010520240110"), 126, "2")}},
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
};

TEST(VerifyChecks, eachFiresOnItsFaultAndOnlyThere) {
    expectEachFiresOnItsFaultAndOnlyThere(kRows);
}

TEST(VerifyChecks, theTableHasBothRowsForEveryCheck) {
    for (const Check* check : check::kAll) {
        for (const bool fires : {true, false}) {
            const auto holds = [&](const std::vector<Row>& rows) {
                return std::any_of(rows.begin(), rows.end(),
                                   [&](const Row& r) { return r.code == check->code && r.fires == fires; });
            };
            EXPECT_TRUE(holds(kRows) || holds(kFieldRows) || holds(kRelationRows)) << check->code;
        }
    }
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
