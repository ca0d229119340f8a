#include "files/folder_lock.hpp"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "files/system_error.hpp"

namespace sintegra {
namespace {

std::error_code lastError() {
    return {errno, std::system_category()};
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

void FolderLock::lock() {
    native_.reset(new Native);
    native_->fd = ::open(file_.c_str(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (native_->fd < 0) {
        throw fileError(FileStep::Open, file_, lastError());
    }
    if (::flock(native_->fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) {
            throw FolderInUse();
        }
        throw fileError(FileStep::Open, file_, lastError());
    }
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
