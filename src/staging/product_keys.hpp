#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "layout/record_columns.hpp"
#include "staging/record_keys.hpp"

namespace SQLite {
class Database;
} // namespace SQLite

namespace sintegra {

// The product codes of which a row was superseded: how many, and the first ones in the order of the
// codes with the number of rows of each that were superseded.
struct RepeatedCodes {
    struct Code {
        std::string code;
        std::uint64_t superseded = 0;
    };
    static constexpr std::size_t kListed = 5;

    std::uint64_t count = 0;
    std::vector<Code> first; // at most kListed
};

// Type 75 rows that a later row of the same product code and validity period supersedes, one bit a
// row, and their codes.
class SupersededRows {
public:
    SupersededRows() = default;
    SupersededRows(std::int64_t firstRow, std::size_t rows)
        : firstRow_(firstRow)
        , bits_(rows) {}

    void mark(std::int64_t row);
    bool contains(std::int64_t row) const noexcept;
    std::uint64_t count() const noexcept { return count_; }
    const RepeatedCodes& codes() const noexcept { return codes_; }
    RepeatedCodes& codes() noexcept { return codes_; }
    // Hands over the rows in ascending order, as ranges of rows that follow each other.
    void forEachRange(const std::function<void(std::int64_t first, std::int64_t last)>& range) const;

private:
    std::int64_t firstRow_ = 0;
    std::vector<bool> bits_;
    std::uint64_t count_ = 0;
    RepeatedCodes codes_;
};

// The product keys of the staged type 75 rows, kept to find the rows that a later row of the
// same key supersedes. Keys are sorted in runs of bounded size, and a full run goes to a table of
// the connection's temporary database, so that memory stays bounded whatever the number of rows.
class ProductKeys {
public:
    explicit ProductKeys(SQLite::Database& db)
        : db_(db) {}

    // The row with this rowid has this product key.
    void add(const ProductKey& key, std::int64_t row);
    // The rows whose key a later row repeats.
    SupersededRows superseded();
    // Forgets every key, and the runs it spilled.
    void clear();
    // Forgets every key, when a rollback has taken the spilled runs away.
    void forget() noexcept;

    // A code as two numbers that order codes as their bytes compare: the first eight bytes, then
    // the other six and the size; then the period's sixteen bytes as two more.
    struct Key {
        std::uint64_t high;
        std::uint64_t low;
        std::uint64_t periodHigh;
        std::uint64_t periodLow;
        std::int64_t row;
    };

private:
    void spill();
    // Every key of every run, by code, then period, then row.
    void forEachInOrder(const std::function<void(const Key&)>& visit);

    SQLite::Database& db_;
    std::vector<Key> run_;
    std::vector<std::int64_t> spilled_; // the rowids of the runs in the temporary table
    std::int64_t firstRow_ = std::numeric_limits<std::int64_t>::max(); // the rows added
    std::int64_t lastAdded_ = 0;
};

} // namespace sintegra
