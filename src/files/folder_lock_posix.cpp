#include "files/folder_lock.hpp"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "errors/file_errors.hpp"

namespace sintegra {
namespace {

constexpr int kLockAttempts = 8;

std::error_code lastError() {
    return {errno, std::system_category()};
}

// A lock taken on a file that a failing start removed meanwhile holds nothing.
bool stillNamedBy(int fd, const std::filesystem::path& file) {
    struct stat held {};
    struct stat named {};
    return ::fstat(fd, &held) == 0 && ::stat(file.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
           held.st_ino == named.st_ino;
}

} // namespace

struct FolderLock::Native {
    int fd = -1;
    ~Native() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

void FolderLock::NativeDeleter::operator()(Native* native) const noexcept {
    delete native;
}

// A link planted in its place would have the run write to the file that it names: the lock is opened
// without following one, and must be a regular file. It lists the user's files: this user's alone.
void FolderLock::lock() {
    native_.reset(new Native);
    for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
        constexpr int flags = O_RDWR | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
        int fd = ::open(file_.c_str(), flags);
        created_ = fd < 0 && errno == ENOENT;
        if (created_) {
            fd = ::open(file_.c_str(), flags | O_CREAT | O_EXCL, 0600);
        }
        if (fd < 0) {
            if (errno == EEXIST) {
                continue;
            }
            if (errno == ELOOP) {
                throw notRegularFile(file_);
            }
            throw fileError(ErrorKind::CannotOpen, file_, lastError());
        }
        native_->fd = fd;
        struct stat info {};
        if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
            throw notRegularFile(file_);
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            if (errno == EWOULDBLOCK) {
                throw Error(ErrorKind::FolderInUse);
            }
            throw fileError(ErrorKind::CannotOpen, file_, lastError());
        }
        if (stillNamedBy(fd, file_)) {
            return;
        }
        ::close(fd);
        native_->fd = -1;
    }
    throw Error(ErrorKind::FolderInUse);
}

std::string FolderLock::readList() {
    std::string text;
    char buffer[4096];
    for (off_t offset = 0;;) {
        const ssize_t got = ::pread(native_->fd, buffer, sizeof buffer, offset);
        if (got <= 0) {
            return text;
        }
        text.append(buffer, static_cast<std::size_t>(got));
        offset += got;
    }
}

void FolderLock::clearList() noexcept {
    [[maybe_unused]] const int ignored = ::ftruncate(native_->fd, 0);
}

void FolderLock::appendToList(const std::string& entry) noexcept {
    [[maybe_unused]] const ssize_t ignored = ::write(native_->fd, entry.data(), entry.size());
}

} // namespace sintegra
