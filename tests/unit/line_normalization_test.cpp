#include <gtest/gtest.h>

#include "run/line_normalization.hpp"
#include "support/files.hpp"

namespace sintegra {
namespace {

using test::record;

// A type 88 sub-record with the given state code at columns 43-44 and flags at columns 131, 144
// and 147 (where the line reaches them).
std::string subRecord(std::string_view code, std::string_view state, std::size_t length, char flag = ' ') {
    std::string line = record(code, length);
    line.replace(42, 2, state);
    for (const std::size_t column : {131u, 144u, 147u}) {
        if (column <= length) {
            line[column - 1] = flag;
        }
    }
    return line;
}

char at(const std::string& line, std::size_t column) {
    return line.at(column - 1);
}

TEST(LineNormalization, fitsEveryLineToTheWidthOfItsKind) {
    EXPECT_EQ(normalizeLine(""), std::string(126, ' '));
    EXPECT_EQ(normalizeLine("5"), record("5"));
    EXPECT_EQ(normalizeLine(" 50abc"), record("50abc"));
    EXPECT_EQ(normalizeLine(record("50x", 120)), record("50x"));
    EXPECT_EQ(normalizeLine(std::string(126, '5') + "6789"), std::string(126, '5'));
    EXPECT_EQ(normalizeLine("50" + std::string(200, ' ') + "tail"), record("50"));
    EXPECT_EQ(normalizeLine("\t50 "), record("\t50"));
    EXPECT_EQ(normalizeLine(" 88SP02x"), record("88SP02x"));
    EXPECT_EQ(normalizeLine("88SP02x").size(), 157u);
    EXPECT_EQ(normalizeLine("88SP03x").size(), 144u);
    EXPECT_EQ(normalizeLine("88STITx").size(), 144u);
    EXPECT_EQ(normalizeLine("88SP04x").size(), 147u);
    EXPECT_EQ(normalizeLine("88SP05" + std::string(300, 'x')), "88SP05" + std::string(120, 'x'));
    EXPECT_EQ(normalizeLine("88STESx").size(), 126u);
}

TEST(LineNormalization, keepsOtherType88LinesExactlyAsRead) {
    const std::vector<std::string> verbatim = {
        "88", "88SP0", "88SP01 trailing   ", "88sp02 lower case", "88SP06", "88XY\x80\xff  "};
    for (const std::string& line : verbatim) {
        EXPECT_EQ(normalizeLine(line), line);
    }
    const std::string wide(5000, '8');
    EXPECT_EQ(normalizeLine(wide), wide);
}

TEST(LineNormalization, setsTheFlagsOfSp03AndStitByState) {
    for (const std::string_view code : {"88SP03", "88STIT"}) {
        const std::string mg = normalizeLine(subRecord(code, "MG", 100));
        EXPECT_EQ(mg.size(), 144u);
        EXPECT_EQ(at(mg, 131), '0');
        EXPECT_EQ(at(mg, 144), '0');

        const std::string lowerMg = normalizeLine(subRecord(code, "mg", 144, '2'));
        EXPECT_EQ(at(lowerMg, 131), '0');
        EXPECT_EQ(lowerMg.substr(42, 2), "mg");

        const std::string padded = normalizeLine(subRecord(code, "SP", 100));
        EXPECT_EQ(at(padded, 131), ' ');
        EXPECT_EQ(at(padded, 144), ' ');

        const std::string zero = normalizeLine(subRecord(code, "SP", 144, '0'));
        EXPECT_EQ(at(zero, 131), '2');
        EXPECT_EQ(at(zero, 144), '2');
        EXPECT_EQ(at(normalizeLine(subRecord(code, "SP", 144, '1')), 131), '1');
    }
}

TEST(LineNormalization, setsTheFlagOfSp04ByState) {
    EXPECT_EQ(at(normalizeLine(subRecord("88SP04", "MG", 147, '1')), 147), '0');
    EXPECT_EQ(at(normalizeLine(subRecord("88SP04", "RJ", 147, '0')), 147), '2');
    EXPECT_EQ(at(normalizeLine(subRecord("88SP04", "RJ", 147, '1')), 147), '1');
    // Rule B touches column 147 only.
    EXPECT_EQ(at(normalizeLine(subRecord("88SP04", "MG", 147, '1')), 131), '1');
    // 88SP02 and 88SP05 have no flags to repair.
    EXPECT_EQ(at(normalizeLine(subRecord("88SP02", "RJ", 157, '0')), 131), '0');
}

// The run feeds a line in the pieces it happens to read; the result must not depend on them.
TEST(LineNormalization, givesTheSameLineWhateverPiecesItArrivesIn) {
    const std::vector<std::string> lines = {"   50abc   ",
                                            subRecord("88SP03", "MG", 150, '0'),
                                            "88SP01xyz",
                                            "88",
                                            "8",
                                            "",
                                            std::string(300, ' ') + "54x"};
    LineFitter fitter;
    for (const std::string& line : lines) {
        for (std::size_t piece = 1; piece <= 7; ++piece) {
            for (std::size_t i = 0; i < line.size(); i += piece) {
                fitter.addBytes(std::string_view(line).substr(i, piece));
            }
            EXPECT_EQ(std::string(fitter.finish()), normalizeLine(line)) << line << " in pieces of " << piece;
        }
    }
}

} // namespace
} // namespace sintegra
