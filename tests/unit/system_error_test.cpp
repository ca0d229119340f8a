#ifdef _WIN32
#include <windows.h>
#endif

#include <gtest/gtest.h>

#include "files/system_error.hpp"

namespace sintegra {
namespace {

std::error_code generic(std::errc value) {
    return std::make_error_code(value);
}

// A cause reads the same whatever reported it: a std::errc, or the system's own code, which is what
// SQLite keeps of a failed write (errno, or GetLastError() on Windows).
TEST(SystemCause, readsTheSameOnEverySystem) {
    const auto system = [](int value) { return std::error_code(value, std::system_category()); };
    const std::vector<std::pair<std::error_code, std::string>> causes = {
        {generic(std::errc::no_space_on_device), "não há espaço livre no disco"},
        {generic(std::errc::permission_denied), "permissão negada"},
        {generic(std::errc::file_too_large), "o arquivo passou do tamanho máximo permitido"},
#ifdef _WIN32
        {system(ERROR_DISK_FULL), "não há espaço livre no disco"},
        {system(ERROR_HANDLE_DISK_FULL), "não há espaço livre no disco"},
        {system(ERROR_ACCESS_DENIED), "permissão negada"},
        {system(ERROR_SHARING_VIOLATION), "o arquivo está em uso por outro programa"},
        {system(ERROR_FILE_NOT_FOUND), "o arquivo ou a pasta não existe"},
        {system(ERROR_INVALID_FUNCTION), ""},
#else
        {system(ENOSPC), "não há espaço livre no disco"},
        {system(EACCES), "permissão negada"},
        {system(EFBIG), "o arquivo passou do tamanho máximo permitido"},
        {system(ENOENT), "o arquivo ou a pasta não existe"},
        {system(EINVAL), ""},
#endif
    };
    // A cause without words of its own ("") has the system's, as one clause.
    for (const auto& [cause, words] : causes) {
        const std::string said = systemCause(cause);
        EXPECT_TRUE(words.empty() ? !said.empty() && !said.ends_with('.') && !said.ends_with('\n')
                                  : said == words)
            << cause.category().name() << " " << cause.value() << ": " << said;
    }
}

} // namespace
} // namespace sintegra
