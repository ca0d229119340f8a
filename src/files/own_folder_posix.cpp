#include "files/own_folder.hpp"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "errors/file_errors.hpp"

namespace sintegra {

bool makeOwnFolder(const std::filesystem::path& folder) {
    if (::mkdir(folder.c_str(), 0700) == 0) {
        return true;
    }
    if (errno != EEXIST) {
        throw fileError(ErrorKind::CannotCreateFolder, folder, {errno, std::system_category()});
    }
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        return false;
    }
    // Made by an earlier version, or by hand, open to others.
    if (info.st_uid == ::geteuid() && (info.st_mode & 077) != 0) {
        ::chmod(folder.c_str(), info.st_mode & 07700);
    }
    return true;
}

// Removed relative to the folder as it was opened, without following a link to it.
void removeFromOwnFolder(const std::filesystem::path& folder,
                         const std::vector<std::filesystem::path>& names) noexcept {
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (dir < 0) {
        return;
    }
    for (const std::filesystem::path& name : names) {
        ::unlinkat(dir, name.c_str(), 0);
    }
    ::close(dir);
}

} // namespace sintegra
