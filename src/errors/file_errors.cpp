#include "errors/file_errors.hpp"

#include <string>

namespace sintegra {

// The path as UTF-8, as files/path_text.hpp gives it: an Error holds the text the user reads.
Error fileError(ErrorKind kind, const std::filesystem::path& path, std::error_code cause) {
    const std::u8string text = path.u8string();
    return Error(kind, std::string(text.begin(), text.end()), cause);
}

Error notRegularFile(const std::filesystem::path& path) {
    return fileError(ErrorKind::NotRegularFile, path, {});
}

Error lineTooLong(const std::filesystem::path& path, std::uint64_t line) {
    Error tooLong = fileError(ErrorKind::LineTooLong, path, {});
    tooLong.line = line;
    return tooLong;
}

bool refusesShape(ErrorKind kind) {
    switch (kind) {
    case ErrorKind::OtherFormat:
    case ErrorKind::NotText:
    case ErrorKind::NoRecord:
    case ErrorKind::NotRecords:
    case ErrorKind::LineTooLong:
        return true;
    default:
        return false;
    }
}

} // namespace sintegra
