#include "errors/store_error.hpp"

#include <string>

#include <SQLiteCpp/Exception.h>
#include <sqlite3.h>

namespace sintegra {
namespace {

class StoreCategory : public std::error_category {
public:
    const char* name() const noexcept override { return "sqlite"; }
    std::string message(int code) const override { return sqlite3_errstr(code); }
};

} // namespace

const std::error_category& storeCategory() {
    static const StoreCategory category;
    return category;
}

std::error_code storeCause(const std::exception& error) {
    const auto* sqlite = dynamic_cast<const SQLite::Exception*>(&error);
    return {sqlite != nullptr ? sqlite->getErrorCode() : SQLITE_ERROR, storeCategory()};
}

} // namespace sintegra
