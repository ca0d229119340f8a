#include "files/hidden_folder.hpp"

#include <windows.h>

namespace sintegra {

bool inHiddenFolder(const std::filesystem::path& folder) {
    for (std::filesystem::path at = folder; at.has_relative_path(); at = at.parent_path()) {
        const DWORD attributes = GetFileAttributesW(at.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN) != 0) {
            return true;
        }
    }
    return false;
}

} // namespace sintegra
