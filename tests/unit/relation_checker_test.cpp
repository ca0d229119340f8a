#include <gtest/gtest.h>

#include "check_rows.hpp"

namespace sintegra::verify {

// One row that makes each check of the links between records fire and one that does not.
const std::vector<Row> kRelationRows = {
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
    // Past the limit a document goes unremembered, and its type 54 record is not called an orphan.
    {"relacoes-parciais", true, {k10, k11, k50, at(k50, 46, "999999"), k54}, {}, 1},
    {"relacoes-parciais", false, {k10, k11, k50, k54}, {}, 1},
    {"54-sem-50", false, {k10, k11, k50, at(k50, 46, "999999"), at(k54, 22, "999999")}, {}, 1},
};

namespace {

TEST(RelationChecker, eachFiresOnItsFaultAndOnlyThere) {
    expectEachFiresOnItsFaultAndOnlyThere(kRelationRows);
}

} // namespace
} // namespace sintegra::verify
