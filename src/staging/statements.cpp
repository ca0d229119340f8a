#include "staging/statements.hpp"

#include <array>

namespace sintegra::sql {
namespace {

// DATA is the date as year, month, day; a 60R record (month and year only) sorts after the last
// day of its month. Tipo ranks the sub-types of one day. Substrings are taken on the BLOB, so they
// count bytes; the sub-type is compared ignoring the case of ASCII letters, so "60r" is a 60R
// record. Records of equal DATA and Tipo keep load order.
constexpr std::string_view kOrderedType60 =
    "SELECT CASE WHEN upper(CAST(substr(Registro, 1, 3) AS TEXT)) = '60R' "
    "THEN CAST(substr(Registro, 6, 4) || substr(Registro, 4, 2) || '99' AS BLOB) "
    "ELSE substr(Registro, 4, 8) END AS DATA, "
    "CASE upper(CAST(substr(Registro, 1, 3) AS TEXT)) "
    "WHEN '60M' THEN 1 WHEN '60A' THEN 2 WHEN '60D' THEN 3 WHEN '60I' THEN 4 ELSE 5 END AS Tipo, "
    "substr(Registro, 1, 3) AS Tipo2, Registro "
    "FROM REG60 ORDER BY 1, 2, IDSEQUENCIA";

using Catalogue = PerStagedType<std::string>;

Catalogue perTable(std::string_view before, std::string_view after) {
    Catalogue statements;
    for (StagedType type = 0; type < kStagedTypeCount; ++type) {
        statements[type].append(before).append("REG").append(kStagedCodes[type]).append(after);
    }
    return statements;
}

Catalogue outputOrder() {
    Catalogue statements = perTable("SELECT Registro FROM ", " ORDER BY IDSEQUENCIA");
    statements[kType60] = kOrderedType60;
    return statements;
}

} // namespace

const std::string& deleteAll(StagedType type) {
    static const Catalogue statements = perTable("DELETE FROM ", "");
    return statements.at(type);
}

const std::string& insertRow(StagedType type) {
    static const Catalogue statements = perTable("INSERT INTO ", " (Registro) VALUES (?)");
    return statements.at(type);
}

const std::string& countRows(StagedType type) {
    static const Catalogue statements = perTable("SELECT COUNT(*) FROM ", "");
    return statements.at(type);
}

const std::string& rowsInOutputOrder(StagedType type) {
    static const Catalogue statements = outputOrder();
    return statements.at(type);
}

const std::string& deleteFrom(StagedType type) {
    static const Catalogue statements = perTable("DELETE FROM ", " WHERE IDSEQUENCIA >= ?");
    return statements.at(type);
}

} // namespace sintegra::sql
