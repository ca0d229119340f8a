#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "files/error.hpp"

namespace sintegra {

// An Error of a step on a file or folder that the system refused, for the reason in cause.
Error fileError(ErrorKind kind, const std::filesystem::path& path, std::error_code cause);
// A link where the program keeps its own files, a FIFO or a device, where a file was to be opened.
Error notRegularFile(const std::filesystem::path& path);

// The user's words for a system error: errno on POSIX, GetLastError() on Windows, or a std::errc.
std::string systemCause(std::error_code cause);

// A path as the user reads it and as lists hold it: UTF-8 (on POSIX, its bytes as they are).
std::string pathText(const std::filesystem::path& path);
std::filesystem::path pathFromText(std::string_view text);

} // namespace sintegra
