#pragma once

#include <cstdint>
#include <filesystem>

namespace sintegra {

// Whether the file at path holds size bytes, the very bytes of the file at other. Read in pieces,
// and only as far as the first difference; a file that cannot be read holds nothing the same.
bool sameBytes(const std::filesystem::path& path, const std::filesystem::path& other, std::uintmax_t size);

} // namespace sintegra
