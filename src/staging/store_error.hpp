#pragma once

#include <stdexcept>
#include <string>

namespace sintegra {

// A failure of the staging store, its template or its preparation. The message is for the user.
class StoreError : public std::runtime_error {
public:
    StoreError(std::string message, std::string file);
    const std::string& file() const noexcept { return file_; }

private:
    std::string file_;
};

// The user's words for an SQLite result code, falling back to SQLite's own message.
std::string storeCause(int sqliteCode, const char* sqliteMessage);

} // namespace sintegra
