#pragma once

#include <filesystem>

namespace sintegra {

// Whether folder, or a folder it lies in, is hidden from the user: marked hidden on Windows (AppData,
// where an installed copy keeps its files), named with a leading "." on POSIX. A drive's root, which
// Windows marks hidden, does not count. Per system, in hidden_folder_<system>.cpp.
bool inHiddenFolder(const std::filesystem::path& folder);

} // namespace sintegra
