#include "staging/type60_runs.hpp"

#include <algorithm>
#include <memory>

#include <SQLiteCpp/Column.h>
#include <SQLiteCpp/Statement.h>

#include "staging/record_keys.hpp"
#include "staging/statements.hpp"

namespace sintegra {
namespace {

std::string_view registroOf(const SQLite::Statement& rows) {
    const SQLite::Column registro = rows.getColumn(0);
    return {static_cast<const char*>(registro.getBlob()), static_cast<std::size_t>(registro.getBytes())};
}

// One run being read, positioned on its next row.
struct Cursor {
    std::unique_ptr<SQLite::Statement> rows;
    Type60Order order;

    bool next() {
        if (!rows->executeStep()) {
            return false;
        }
        order = type60Order(registroOf(*rows));
        return true;
    }
};

} // namespace

void Type60Runs::add(std::int64_t firstRowid, std::int64_t lastRowid) {
    if (firstRowid <= lastRowid) {
        runs_.push_back({firstRowid, lastRowid});
    }
}

void Type60Runs::forEachInOrder(SQLite::Database& db,
                                const std::function<void(std::string_view)>& visit) const {
    std::vector<Cursor> cursors;
    std::vector<std::size_t> heap;
    for (const Run& run : runs_) {
        Cursor cursor{std::make_unique<SQLite::Statement>(db, std::string(sql::kType60Run)), {}};
        cursor.rows->bind(1, static_cast<int64_t>(run.first));
        cursor.rows->bind(2, static_cast<int64_t>(run.last));
        if (cursor.next()) {
            heap.push_back(cursors.size());
            cursors.push_back(std::move(cursor));
        }
    }
    // The heap's top is the cursor whose row comes first: the smallest key, then the earliest run.
    const auto after = [&cursors](std::size_t a, std::size_t b) {
        const Type60Order& x = cursors[a].order;
        const Type60Order& y = cursors[b].order;
        return y < x || (!(x < y) && b < a);
    };
    std::ranges::make_heap(heap, after);
    while (!heap.empty()) {
        std::ranges::pop_heap(heap, after);
        Cursor& cursor = cursors[heap.back()];
        visit(registroOf(*cursor.rows));
        if (cursor.next()) {
            std::ranges::push_heap(heap, after);
        } else {
            heap.pop_back();
        }
    }
}

} // namespace sintegra
