#include "staging/statements.hpp"

namespace sintegra::sql {
namespace {

using Catalogue = PerStagedType<std::string>;

std::string tableName(StagedType type) {
    return "REG" + std::string(kStagedCodes.at(type));
}

Catalogue perTable(std::string_view before, std::string_view after) {
    Catalogue statements;
    for (StagedType type = 0; type < kStagedTypeCount; ++type) {
        statements[type] = std::string(before) + tableName(type) + std::string(after);
    }
    return statements;
}

std::string_view insertedColumns(StagedType type) {
    if (type == kType60) {
        return "(IDSEQUENCIA, Registro, DATA, Tipo)";
    }
    return type == kType75 ? "(Registro, Nprod)" : "(Registro)";
}

} // namespace

const std::string& countStagingTables() {
    static const std::string statement = [] {
        std::string names;
        for (StagedType type = 0; type < kStagedTypeCount; ++type) {
            names += (type == 0 ? "'" : ", '") + tableName(type) + "'";
        }
        return "SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name IN (" + names + ")";
    }();
    return statement;
}

const std::string& deleteAll(StagedType type) {
    static const Catalogue statements = perTable("DELETE FROM ", "");
    return statements.at(type);
}

const std::string& rowsInLoadOrder(StagedType type) {
    static const Catalogue statements = perTable("SELECT Registro, rowid FROM ", " ORDER BY IDSEQUENCIA");
    return statements.at(type);
}

std::size_t insertedValues(StagedType type) {
    return type == kType60 ? 4 : type == kType75 ? 2 : 1;
}

std::string insertRows(StagedType type, std::size_t rows) {
    std::string values = "(?";
    for (std::size_t value = 1; value < insertedValues(type); ++value) {
        values += ", ?";
    }
    values += ")";
    std::string statement =
        "INSERT INTO " + tableName(type) + " " + std::string(insertedColumns(type)) + " VALUES ";
    for (std::size_t row = 0; row < rows; ++row) {
        statement += (row == 0 ? "" : ", ") + values;
    }
    return statement;
}

} // namespace sintegra::sql
