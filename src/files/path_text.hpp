#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace sintegra {

// A path as the user reads it and as lists hold it: UTF-8 (on POSIX, its bytes as they are).
std::string pathText(const std::filesystem::path& path);
std::filesystem::path pathFromText(std::string_view text);

} // namespace sintegra
