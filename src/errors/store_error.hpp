#pragma once

#include <exception>
#include <system_error>

namespace sintegra {

// SQLite's result codes, as the cause of an Error.
const std::error_category& storeCategory();

// The cause of what an SQLite call threw: SQLITE_ERROR when SQLite did not say.
std::error_code storeCause(const std::exception& error);

} // namespace sintegra
