#pragma once

#include <stdexcept>
#include <string>

namespace sintegra {

// A failure of the staging store, its template or its preparation. The message is for the user.
class StoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The user's words for an SQLite result code, falling back to SQLite's own message.
std::string storeCause(int sqliteCode, const char* sqliteMessage);

} // namespace sintegra
