#include "staging/row_batch.hpp"

#include <algorithm>

#include <SQLiteCpp/Statement.h>

#include "staging/statements.hpp"

namespace sintegra {
namespace {

// A zero-length blob from a null pointer would be bound as NULL.
void bindBytes(SQLite::Statement& statement, int parameter, std::string_view bytes) {
    statement.bindNoCopy(parameter, bytes.empty() ? "" : bytes.data(), static_cast<int>(bytes.size()));
}

} // namespace

void RowBatch::add(std::string_view registro) {
    Row row{bytes_.size(), registro.size(), ++added_, {}};
    if (type_ == kType60) {
        row.order = type60Order(registro);
    }
    bytes_.append(registro);
    rows_.push_back(row);
}

// Small keys are sorted, and the rows then gathered in their order: cheaper than moving whole rows
// about in the sort.
void RowBatch::sortByType60Order() {
    struct Key {
        std::array<std::uint64_t, 4> rank;
        std::size_t row;
    };
    std::vector<Key> keys;
    keys.reserve(rows_.size());
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        keys.push_back({rows_[row].order.rank, row});
    }
    std::ranges::stable_sort(keys, {}, &Key::rank);
    std::vector<Row> sorted;
    sorted.reserve(rows_.size());
    for (const Key& key : keys) {
        sorted.push_back(rows_[key.row]);
    }
    rows_ = std::move(sorted);
}

void RowBatch::bind(SQLite::Statement& statement, std::size_t first, std::size_t count) const {
    const std::size_t values = sql::insertedValues(type_);
    for (std::size_t i = 0; i < count; ++i) {
        const Row& row = rows_[first + i];
        const std::string_view registro = this->registro(first + i);
        int parameter = static_cast<int>(i * values) + 1;
        if (type_ == kType60) {
            statement.bind(parameter++, static_cast<int64_t>(row.id));
        }
        bindBytes(statement, parameter, registro);
        if (type_ == kType75) {
            const auto key = productKey(registro);
            if (key) {
                bindBytes(statement, parameter + 1, key->code);
            } else {
                statement.bind(parameter + 1);
            }
        } else if (type_ == kType60) {
            bindBytes(statement, parameter + 1, row.order.dateBytes());
            statement.bind(parameter + 2, row.order.tipo);
        }
    }
}

void RowBatch::clear() noexcept {
    bytes_.clear();
    rows_.clear();
}

} // namespace sintegra
