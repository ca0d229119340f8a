#pragma once

#include <filesystem>

namespace sintegra {

// The folder that holds the running executable. Per system, in program_folder_<system>.cpp.
std::filesystem::path executableFolder();

} // namespace sintegra
