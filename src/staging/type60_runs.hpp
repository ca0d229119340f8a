#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace SQLite {
class Database;
} // namespace SQLite

namespace sintegra {

// Where REG60 holds its sorted runs. Each run is a range of rowids whose rows are in output order
// (by DATA, serial number and Tipo, then load order); the runs follow each other in load order. Reading them
// back merges the runs, so that the table is never sorted whole.
class Type60Runs {
public:
    void add(std::int64_t firstRowid, std::int64_t lastRowid);
    void clear() noexcept { runs_.clear(); }

    // Hands the Registro of every row to visit in output order; of equal keys, the earlier run's
    // row first.
    void forEachInOrder(SQLite::Database& db, const std::function<void(std::string_view)>& visit) const;

private:
    struct Run {
        std::int64_t first;
        std::int64_t last;
    };
    std::vector<Run> runs_;
};

} // namespace sintegra
