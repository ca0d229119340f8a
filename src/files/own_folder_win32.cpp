#include "files/own_folder.hpp"

#include <windows.h>

#include "files/system_error.hpp"

namespace sintegra {

// A junction or a symbolic link to a folder is a reparse point.
bool makeOwnFolder(const std::filesystem::path& folder) {
    if (CreateDirectoryW(folder.c_str(), nullptr)) {
        return true;
    }
    const DWORD code = GetLastError();
    if (code != ERROR_ALREADY_EXISTS) {
        throw fileError(FileStep::CreateFolder, folder, {static_cast<int>(code), std::system_category()});
    }
    return isOwnFolder(folder);
}

bool isOwnFolder(const std::filesystem::path& folder) noexcept {
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
}

} // namespace sintegra
