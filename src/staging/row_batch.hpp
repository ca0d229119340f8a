#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "layout/record_types.hpp"
#include "staging/record_keys.hpp"

namespace SQLite {
class Statement;
} // namespace SQLite

namespace sintegra {

// Rows of one staging table waiting to be written, so that several go in one statement, each
// with the keys that its table keeps. Type 60 rows are numbered here in the order they are added.
class RowBatch {
public:
    explicit RowBatch(StagedType type)
        : type_(type) {}

    void add(std::string_view registro);
    std::size_t rows() const noexcept { return rows_.size(); }
    std::size_t bytes() const noexcept { return bytes_.size(); }
    std::string_view registro(std::size_t row) const {
        return std::string_view(bytes_).substr(rows_[row].offset, rows_[row].size);
    }

    // Puts type 60 rows in output order, rows of equal keys in the order they were added.
    void sortByType60Order();
    // Binds rows [first, first + count) to the statement's parameters, from parameter 1 on.
    void bind(SQLite::Statement& statement, std::size_t first, std::size_t count) const;
    void clear() noexcept;

private:
    struct Row {
        std::size_t offset;
        std::size_t size;
        std::int64_t id;
        Type60Order order;
    };

    StagedType type_;
    std::string bytes_;
    std::vector<Row> rows_;
    std::int64_t added_ = 0;
};

} // namespace sintegra
