#include <gtest/gtest.h>

#include "run/line_normalization.hpp"
#include "support/files.hpp"

namespace sintegra {
namespace {

using test::record;

// A type 88 sub-record of a width, its state at columns 43-44, and the flag columns that it reaches
// (131, 144, 147) holding flag, but for one column that holds another.
std::string subRecord(std::string_view code, std::string_view state, std::size_t width, char flag = ' ',
                      std::size_t column = 0, char other = ' ') {
    std::string line = record(code, width);
    line.replace(42, 2, state);
    for (const std::size_t at : {131u, 144u, 147u}) {
        if (at <= width) {
            line[at - 1] = at == column ? other : flag;
        }
    }
    return line;
}

// Minas Gerais' 88STITNF (237 columns): an entry whose value of 1.000,00 (columns 126 to 137) and
// discount (138 to 149) cross the flag columns of 88STIT, and whose columns 43 and 44 hold no state.
const std::string kStitnf =
    "88STITNF17254509000163551  000012345140306000120240315" + record("7891000100103", 60) +
    "0000001000000000010000000000000000000000010000000000014000018001200000000005000" +
    "31240317254509000163550010000123451000123458";

// A product of 124 characters written in UTF-8, 126 bytes.
const std::string kCafe = record("50CAF\xC3\x89 PIL\xC3\x83O", 126);

// The run feeds a line in the pieces it happens to read, to one fitter line after line: the result
// must not depend on them.
TEST(LineNormalization, fitsEachLineToTheWidthOfItsKindWhateverPiecesItArrivesIn) {
    const std::string wide(5000, '8');
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", std::string(126, ' ')},
        {"5", record("5")},
        {" 50abc", record("50abc")},
        {record("50x", 120), record("50x")},
        {std::string(126, '5') + "6789", std::string(126, '5')},
        {"50" + std::string(200, ' ') + "tail", record("50")},
        {"\t50 ", record("50")},
        {std::string(300, ' ') + "\t54x", record("54x")},
        {" \t", record("")},
        // The kind is told after the blanks: a wide type 88 keeps its width.
        {" 88SP02x", record("88SP02x", 157)},
        {"\t " + kStitnf, kStitnf},
        {"88SP02x", record("88SP02x", 157)},
        {"88SP03x", record("88SP03x", 144)},
        {"88STITx", record("88STITx", 144)},
        {"88SP04x", record("88SP04x", 147)},
        {"88SP05" + std::string(300, 'x'), "88SP05" + std::string(120, 'x')},
        {"88STESx", record("88STESx")},
        {"88STITNx", record("88STITNx", 144)},
        // Other type 88 lines stay exactly as read.
        {"88", "88"},
        {"8", record("8")},
        {"88SP0", "88SP0"},
        {"88SP01 trailing   ", "88SP01 trailing   "},
        {"88sp02 lower case", "88sp02 lower case"},
        {"88SP06", "88SP06"},
        {kStitnf, kStitnf},
        {kStitnf.substr(0, 150) + "  ", kStitnf.substr(0, 150) + "  "},
        {"88STITNF", "88STITNF"},
        {"88DV20240310", "88DV20240310"},
        {"88XY\x80\xff  ", "88XY\x80\xff  "},
        {wide, wide},
        // Too wide only by its UTF-8 text (É, Ã, €, “): written as Windows-1252, it keeps its digits.
        {kCafe + "12", "50CAF\xC9 PIL\xC3O" + std::string(112, ' ') + "12"},
        {"50\xE2\x82\xAC\xE2\x80\x9C" + std::string(122, '1'), "50\x80\x93" + std::string(122, '1')},
        // Any other line too wide is cut byte for byte: too wide still, a character that
        // Windows-1252 lacks (ő), a byte that no UTF-8 sequence holds; and one that is not too wide
        // keeps its UTF-8.
        {kCafe + "123", (kCafe + "123").substr(0, 126)},
        {"50\xC5\x91" + std::string(123, '1'), ("50\xC5\x91" + std::string(123, '1')).substr(0, 126)},
        {"50\xC9\xC3\x89" + std::string(122, '1'), ("50\xC9\xC3\x89" + std::string(122, '1')).substr(0, 126)},
        {"50CAF\xC3\x89", record("50CAF\xC3\x89")},
        // The flags of 88SP03 and 88STIT (columns 131 and 144) and of 88SP04 (147 only): 0 in Minas
        // Gerais, whatever the case of its letters; elsewhere a 0 becomes 2.
        {subRecord("88SP03", "MG", 100), subRecord("88SP03", "MG", 144, '0')},
        {subRecord("88STIT", "mg", 144, '2'), subRecord("88STIT", "mg", 144, '0')},
        {subRecord("88SP03", "SP", 100), subRecord("88SP03", "SP", 144)},
        {subRecord("88STIT", "SP", 144, '0'), subRecord("88STIT", "SP", 144, '2')},
        {subRecord("88SP03", "SP", 150, '1'), subRecord("88SP03", "SP", 144, '1')},
        {subRecord("88SP04", "MG", 147, '1'), subRecord("88SP04", "MG", 147, '1', 147, '0')},
        {subRecord("88SP04", "RJ", 147, '0'), subRecord("88SP04", "RJ", 147, '0', 147, '2')},
        {subRecord("88SP04", "RJ", 147, '1'), subRecord("88SP04", "RJ", 147, '1')},
        {subRecord("88SP02", "RJ", 157, '0'), subRecord("88SP02", "RJ", 157, '0')},
    };
    LineFitter fitter;
    for (const auto& [line, fitted] : cases) {
        EXPECT_EQ(normalizeLine(line), fitted) << line;
        for (std::size_t piece = 1; piece <= 7; ++piece) {
            for (std::size_t i = 0; i < line.size(); i += piece) {
                fitter.addBytes(std::string_view(line).substr(i, piece));
            }
            EXPECT_EQ(fitter.finish(), fitted) << line << " in pieces of " << piece;
        }
    }
}

} // namespace
} // namespace sintegra
