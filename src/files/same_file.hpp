#pragma once

#include <filesystem>
#include <string>

#include "files/path_text.hpp"

namespace sintegra {

// Whether two paths name one existing regular file, whatever their spelling: links, another spelling
// of the folder, letter case where the system ignores it.
inline bool namesSameFile(const std::string& first, const std::string& second) {
    std::error_code error;
    const std::filesystem::path a = pathFromText(first);
    const std::filesystem::path b = pathFromText(second);
    return std::filesystem::is_regular_file(a, error) && std::filesystem::equivalent(a, b, error);
}

} // namespace sintegra
