#include <gtest/gtest.h>

#include "run/byte_cleaning.hpp"

namespace sintegra {
namespace {

std::string clean(std::string text) {
    text.resize(cleanBytes(text.data(), text.size()));
    return text;
}

TEST(ByteCleaning, turnsNulAndCommaIntoSpacesAndRemovesEveryCtrlZ) {
    EXPECT_EQ(clean(std::string("a,b\0c", 5)), "a b c");
    EXPECT_EQ(clean("\x1a\x1a"
                    "ab\x1a\x1a\x1a"
                    "c\x1a"),
              "abc");
    EXPECT_EQ(clean("\x1a\x1a\x1a"), "");
    EXPECT_EQ(clean(""), "");
}

TEST(ByteCleaning, leavesEveryOtherByteAsItIs) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) {
        if (byte != 0 && byte != 26 && byte != ',') {
            all += static_cast<char>(byte);
        }
    }
    EXPECT_EQ(clean(all), all);
}

} // namespace
} // namespace sintegra
