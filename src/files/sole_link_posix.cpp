#include "files/sole_link.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sintegra {

// The link is made to the file a symbolic link names, as the replace does.
bool addSoleLink(const std::filesystem::path& file, const std::filesystem::path& link) noexcept {
    struct stat info {};
    return ::stat(file.c_str(), &info) == 0 && info.st_nlink == 1 &&
           ::linkat(AT_FDCWD, file.c_str(), AT_FDCWD, link.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

} // namespace sintegra
