#include "files/own_folder.hpp"

#include <windows.h>

#include "errors/file_errors.hpp"

namespace sintegra {
namespace {

// A junction or a symbolic link to a folder is a reparse point.
bool isOwnFolder(const std::filesystem::path& folder) noexcept {
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
}

} // namespace

bool makeOwnFolder(const std::filesystem::path& folder) {
    if (CreateDirectoryW(folder.c_str(), nullptr)) {
        return true;
    }
    const DWORD code = GetLastError();
    if (code != ERROR_ALREADY_EXISTS) {
        throw fileError(ErrorKind::CannotCreateFolder, folder,
                        {static_cast<int>(code), std::system_category()});
    }
    return isOwnFolder(folder);
}

// Held open meanwhile, without the sharing that would let it be renamed or deleted, so that no link
// can take its place.
void removeFromOwnFolder(const std::filesystem::path& folder,
                         const std::vector<std::filesystem::path>& names) noexcept {
    const HANDLE held =
        CreateFileW(folder.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (held == INVALID_HANDLE_VALUE) {
        return;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileInformationByHandle(held, &info) &&
        (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        for (const std::filesystem::path& name : names) {
            DeleteFileW((folder / name).c_str());
        }
    }
    CloseHandle(held);
}

} // namespace sintegra
