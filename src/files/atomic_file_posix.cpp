#include "files/atomic_file.hpp"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/system_error.hpp"

namespace sintegra {
namespace {

std::error_code lastError() {
    return {errno, std::system_category()};
}

// Root may write anything; the write bits still say what the user meant to protect.
bool writable(const std::filesystem::path& path, const struct stat& info) {
    if (::geteuid() == 0) {
        return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
    }
    return ::access(path.c_str(), W_OK) == 0;
}

FileError writeProtected(const std::string& message, const std::filesystem::path& target) {
    return FileError(message, target, std::make_error_code(std::errc::permission_denied));
}

} // namespace

struct AtomicFile::Native {
    int fd = -1;
    mode_t mode = 0;
    uid_t owner = 0;
    gid_t group = 0;
};

void AtomicFile::NativeDeleter::operator()(Native* native) const noexcept {
    delete native;
}

void AtomicFile::inspectTarget() {
    native_.reset(new Native);
    std::error_code error;
    const std::filesystem::path real = std::filesystem::canonical(target_, error);
    if (!error) {
        resolved_ = real;
    }
    struct stat info {};
    if (::stat(resolved_.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) {
            throw fileError(FileStep::Write, target_, std::make_error_code(std::errc::is_a_directory));
        }
        if (!writable(resolved_, info)) {
            throw writeProtected("O arquivo \"" + pathText(target_) + "\" está protegido contra gravação.",
                                 target_);
        }
        targetExists_ = true;
        native_->mode = info.st_mode & 07777;
        native_->owner = info.st_uid;
        native_->group = info.st_gid;
    }
    std::filesystem::path folder = resolved_.parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    if (::stat(folder.c_str(), &info) == 0 && !writable(folder, info)) {
        throw writeProtected("A pasta \"" + pathText(folder) + "\" está protegida contra gravação.", target_);
    }
}

std::error_code AtomicFile::openTemp() {
    native_->fd = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    return native_->fd < 0 ? lastError() : std::error_code();
}

std::error_code AtomicFile::writeTemp(const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(native_->fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return lastError();
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return {};
}

std::error_code AtomicFile::finishTemp() {
    if (targetExists_) {
        if (::fchmod(native_->fd, native_->mode) != 0) {
            return lastError();
        }
        if (::geteuid() == 0) {
            [[maybe_unused]] const int ignored = ::fchown(native_->fd, native_->owner, native_->group);
        }
    }
    if (::fsync(native_->fd) != 0) {
        return lastError();
    }
    const int fd = native_->fd;
    native_->fd = -1;
    return ::close(fd) != 0 ? lastError() : std::error_code();
}

// The rename is made durable with the folder that holds it.
std::error_code AtomicFile::replaceTarget() {
    if (::rename(temp_.c_str(), resolved_.c_str()) != 0) {
        return lastError();
    }
    const std::filesystem::path folder = resolved_.parent_path();
    const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
}

void AtomicFile::closeTemp() noexcept {
    if (native_ && native_->fd >= 0) {
        ::close(native_->fd);
        native_->fd = -1;
    }
}

} // namespace sintegra
