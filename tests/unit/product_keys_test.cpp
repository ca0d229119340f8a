#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "support/staging_fixture.hpp"

namespace sintegra {
namespace {

using test::product;
using ProductKeysTest = test::StagingFixture;

// Keys are the validity period, columns 3 to 18, and the code, the 14 bytes at columns 19 to 32,
// compared exactly; a line too short for one is kept. A product whose data changed in the month has
// a record for each half, and both stay.
TEST_F(ProductKeysTest, keepsTheLastOfEachProductCodeAndPeriodInItsPlace) {
    const std::string a = product("00000000000120"), a2 = product("00000000000120", "later");
    const std::string b = product("00000000000121"), c = product("0000000000012A"),
                      d = product("0000000000012a"), shortLine = "75" + std::string(15, '1');
    const std::string early = product("00000000000120", "", "2024030120240315"),
                      late = product("00000000000120", "", "2024031620240331");
    stage(kType75, {a, early, shortLine, b, c, d, shortLine, a2, late, "75" + std::string(20, '3'),
                    "75" + std::string(20, '3')});
    EXPECT_EQ(store.removeDuplicateProducts(), 2u);
    EXPECT_EQ(rows(kType75), (std::vector<std::string>{early, shortLine, b, c, d, shortLine, a2, late,
                                                       "75" + std::string(20, '3')}));
}

} // namespace
} // namespace sintegra
