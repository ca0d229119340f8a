#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "layout/record_types.hpp"

// Every statement the store issues, in one place. Only the store includes this header.
namespace sintegra::sql {

const std::string& deleteAll(StagedType type);
// The Registro and rowid of the rows of a table in load order. Not for REG60, which is read run by
// run.
const std::string& rowsInLoadOrder(StagedType type);

// The values a staged row is given: Registro and the keys its table keeps (Nprod for REG75), or for
// REG60 IDSEQUENCIA, Registro, DATA and Tipo. Every other table numbers its rows itself: its
// IDSEQUENCIA is its rowid.
std::size_t insertedValues(StagedType type);
// Adds the given number of rows in one statement.
std::string insertRows(StagedType type, std::size_t rows);

// One sorted run of REG60: the rows between two rowids (parameters 1 and 2), in rowid order.
inline constexpr std::string_view kType60Run =
    "SELECT Registro FROM REG60 WHERE rowid BETWEEN ?1 AND ?2 ORDER BY rowid";

// Drops the REG75 rows whose rowids lie between parameters 1 and 2.
inline constexpr std::string_view kDeleteProducts = "DELETE FROM REG75 WHERE rowid BETWEEN ?1 AND ?2";

// Sorted runs of product codes that did not fit in memory, in the connection's temporary database.
inline constexpr std::string_view kCreateProductRuns =
    "CREATE TEMP TABLE IF NOT EXISTS ProductRuns (Run BLOB NOT NULL)";
inline constexpr std::string_view kInsertProductRun = "INSERT INTO temp.ProductRuns (Run) VALUES (?)";
inline constexpr std::string_view kDropProductRuns = "DROP TABLE IF EXISTS temp.ProductRuns";

// How many of the staging tables the database has.
const std::string& countStagingTables();

} // namespace sintegra::sql
