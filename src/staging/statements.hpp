#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "layout/record_types.hpp"

// Every statement the program issues against the staging store, in one place.
namespace sintegra::sql {

const std::string& deleteAll(StagedType type);
// The greatest IDSEQUENCIA of a table, 0 when it is empty.
const std::string& lastId(StagedType type);
// Drops the rows added after a given IDSEQUENCIA (bound as parameter 1).
const std::string& deleteAfter(StagedType type);
// Rows in load order; for REG60, the type 60 records in date and sub-type order.
const std::string& rowsInOutputOrder(StagedType type);

// The values a staged row is given: Registro, then the keys its table keeps (Nprod for REG75,
// DATA and Tipo for REG60).
std::size_t insertedValues(StagedType type);
// Adds the given number of rows in one statement.
std::string insertRows(StagedType type, std::size_t rows);

// Of the rows sharing a product key only the one with the greatest IDSEQUENCIA stays. A NULL key
// (a line too short to hold a product code) equals no other.
inline constexpr std::string_view kDeleteRepeatedProducts =
    "DELETE FROM REG75 WHERE Nprod IS NOT NULL AND IDSEQUENCIA NOT IN ("
    "SELECT MAX(IDSEQUENCIA) FROM REG75 GROUP BY Nprod)";

inline constexpr std::string_view kCountStagingTables =
    "SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name IN "
    "('REG50', 'REG53', 'REG54', 'REG55', 'REG60', 'REG61', 'REG70', 'REG74', 'REG75', 'REG88')";

} // namespace sintegra::sql
