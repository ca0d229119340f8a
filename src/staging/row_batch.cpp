#include "staging/row_batch.hpp"

#include <SQLiteCpp/Statement.h>

#include "staging/statements.hpp"

namespace sintegra {

void RowBatch::add(std::string_view registro) {
    Row row{bytes_.size(), registro.size(), {}};
    if (type_ == kType60) {
        row.order = type60Order(registro);
    }
    bytes_.append(registro);
    rows_.push_back(row);
}

void RowBatch::bind(SQLite::Statement& statement, std::size_t first, std::size_t count) const {
    const std::size_t values = sql::insertedValues(type_);
    for (std::size_t i = 0; i < count; ++i) {
        const Row& row = rows_[first + i];
        const std::string_view registro = std::string_view(bytes_).substr(row.offset, row.size);
        const int parameter = static_cast<int>(i * values) + 1;
        // A zero-length blob from a null pointer would be bound as NULL.
        statement.bindNoCopy(parameter, registro.empty() ? "" : registro.data(),
                             static_cast<int>(registro.size()));
        if (type_ == kType75) {
            const auto key = productKey(registro);
            if (key) {
                statement.bindNoCopy(parameter + 1, key->empty() ? "" : key->data(),
                                     static_cast<int>(key->size()));
            } else {
                statement.bind(parameter + 1);
            }
        } else if (type_ == kType60) {
            statement.bindNoCopy(parameter + 1, row.order.date.data(), static_cast<int>(row.order.dateSize));
            statement.bind(parameter + 2, row.order.tipo);
        }
    }
}

void RowBatch::clear() noexcept {
    bytes_.clear();
    rows_.clear();
}

} // namespace sintegra
