#pragma once

#include <string>
#include <string_view>

#include "staging/staged_type.hpp"

// Every statement the program issues against the staging store, in one place.
namespace sintegra::sql {

const std::string& deleteAll(StagedType type);
const std::string& insertRow(StagedType type);
const std::string& countRows(StagedType type);
// Rows in load order; for REG60, the type 60 records in date and sub-type order.
const std::string& rowsInOutputOrder(StagedType type);
// Drops the rows added from a given IDSEQUENCIA on (bound as parameter 1).
const std::string& deleteFrom(StagedType type);

// The product key of a type 75 record is its product code, columns 19 to 32. A line too short
// to reach column 19 has no key (NULL), and so is never taken for a duplicate.
inline constexpr std::string_view kFillProductKeys =
    "UPDATE REG75 SET Nprod = CASE WHEN length(Registro) >= 19 THEN substr(Registro, 19, 14) END";

// Of the rows sharing a product key only the one with the greatest IDSEQUENCIA stays.
inline constexpr std::string_view kDeleteRepeatedProducts =
    "DELETE FROM REG75 WHERE IDSEQUENCIA IN ("
    "SELECT A.IDSEQUENCIA FROM REG75 AS A INNER JOIN ("
    "SELECT MAX(IDSEQUENCIA) AS SEQ, Nprod FROM REG75 GROUP BY Nprod HAVING COUNT(*) > 1) AS CS "
    "ON A.IDSEQUENCIA <> CS.SEQ AND A.Nprod = CS.Nprod)";

inline constexpr std::string_view kCountStagingTables =
    "SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name IN "
    "('REG50', 'REG53', 'REG54', 'REG55', 'REG60', 'REG61', 'REG70', 'REG74', 'REG75', 'REG88')";

} // namespace sintegra::sql
