#include <cmath>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "verify/stream_check.hpp"

namespace sintegra::verify {
namespace {

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

} // namespace
} // namespace sintegra::verify
