#pragma once

#include <cstdint>
#include <filesystem>
#include <system_error>

#include "errors/error.hpp"

namespace sintegra {

// An Error of a step on a file or folder that the system refused, for the reason in cause.
Error fileError(ErrorKind kind, const std::filesystem::path& path, std::error_code cause);
// A link where the program keeps its own files, a FIFO or a device, where a file was to be opened.
Error notRegularFile(const std::filesystem::path& path);
// A file whose line, numbered from 1, grew past the longest line a SINTEGRA file may hold.
Error lineTooLong(const std::filesystem::path& path, std::uint64_t line);
// Whether the kind is one of a file that was read, and refused for what it holds.
bool refusesShape(ErrorKind kind);

} // namespace sintegra
