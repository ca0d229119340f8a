#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "staging/staging_store.hpp"
#include "staging/statements.hpp"
#include "support/temp_folder.hpp"

namespace sintegra::test {

// A fresh staging store of its own for each test.
class StagingFixture : public ::testing::Test {
protected:
    // The rows of a table in the order the output lists them.
    std::vector<std::string> rows(StagedType type) {
        std::vector<std::string> result;
        store.forEachRegistro(sql::rowsInOutputOrder(type),
                              [&](std::string_view row) { result.emplace_back(row); });
        return result;
    }

    void stage(StagedType type, const std::vector<std::string>& lines) {
        for (const std::string& line : lines) {
            store.insert(type, line);
        }
    }

    ProgramFolder folder;
    StagingStore store{folder.path()};
};

} // namespace sintegra::test
