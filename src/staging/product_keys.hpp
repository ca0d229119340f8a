#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <string_view>
#include <vector>

#include "layout/record_columns.hpp"

namespace SQLite {
class Database;
} // namespace SQLite

namespace sintegra {

// The product codes of the staged type 75 rows, kept to find the rows that a later row of the
// same code supersedes. Codes are sorted in runs of bounded size, and a full run goes to a table of
// the connection's temporary database, so that memory stays bounded whatever the number of rows.
class ProductKeys {
public:
    explicit ProductKeys(SQLite::Database& db)
        : db_(db) {}

    // The row with this rowid has this product code.
    void add(std::string_view code, std::int64_t row);
    // Rows after this one are no longer staged.
    void forgetAfter(std::int64_t row) { lastRow_ = std::min(lastRow_, row); }
    // The rows whose code a later row repeats, in ascending order.
    std::vector<std::int64_t> superseded();
    // Forgets every key, and the runs it spilled.
    void clear();
    // Forgets every key, when a rollback has taken the spilled runs away.
    void forget() noexcept;

    struct Key {
        std::array<char, kProductCodeSize> code;
        std::uint8_t size;
        std::int64_t row;
    };

private:
    void spill();

    SQLite::Database& db_;
    std::vector<Key> run_;
    std::vector<std::int64_t> spilled_; // the rowids of the runs in the temporary table
    std::int64_t lastRow_ = std::numeric_limits<std::int64_t>::max();
};

} // namespace sintegra
