#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "staging/staging_store.hpp"
#include "support/temp_folder.hpp"

namespace sintegra::test {

// A type 75 line of a product code.
inline std::string product(std::string_view code, std::string_view rest = "",
                           std::string_view period = "2024030120240331") {
    return "75" + std::string(period) + std::string(code) + std::string(rest);
}

// A fresh staging store of its own for each test.
class StagingFixture : public ::testing::Test {
public:
    // The rows of a table in the order the output lists them.
    static std::vector<std::string> rowsOf(StagingStore& store, StagedType type) {
        std::vector<std::string> result;
        store.forEachInOutputOrder(type, [&](std::string_view row) { result.emplace_back(row); });
        return result;
    }

protected:
    std::vector<std::string> rows(StagedType type) { return rowsOf(store, type); }

    void stage(StagedType type, const std::vector<std::string>& lines) {
        for (const std::string& line : lines) {
            store.stage(type, line);
        }
    }

    ProgramFolder folder;
    StagingStore store{folder.path()};
};

} // namespace sintegra::test
