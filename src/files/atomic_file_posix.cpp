#include "files/atomic_file.hpp"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

#include "errors/file_errors.hpp"

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

Error writeProtected(ErrorKind kind, const std::filesystem::path& path) {
    return fileError(kind, path, std::make_error_code(std::errc::permission_denied));
}

// Asks call(buffer, size) for its answer, again when the answer grew between the two calls.
template <typename Call>
std::error_code askInto(Call call, std::string& answer) {
    for (;;) {
        const ssize_t size = call(nullptr, 0);
        if (size < 0) {
            return lastError();
        }
        answer.resize(static_cast<std::size_t>(size));
        const ssize_t got = call(answer.data(), answer.size());
        if (got >= 0) {
            answer.resize(static_cast<std::size_t>(got));
            return {};
        }
        if (errno != ERANGE) {
            return lastError();
        }
    }
}

// The names of extended attributes, as the system lists them: each ended by a NUL.
std::vector<std::string> namesIn(const std::string& list) {
    std::vector<std::string> names;
    for (std::size_t start = 0, end; (end = list.find('\0', start)) != std::string::npos; start = end + 1) {
        names.push_back(list.substr(start, end - start));
    }
    return names;
}

// ACLs are extended attributes (system.posix_acl_access). The temporary file takes the target's and
// drops any that its folder's default ACL gave it, so that it grants no one more than the target did.
// A file system that keeps none has none to keep; attributes that only the system may set stay
// behind.
std::error_code copyExtendedAttributes(const std::filesystem::path& from, int to) {
    std::string list;
    if (const std::error_code error =
            askInto([&from](char* names, std::size_t size) { return ::listxattr(from.c_str(), names, size); },
                    list)) {
        return error.value() == ENOTSUP ? std::error_code() : error;
    }
    const std::vector<std::string> kept = namesIn(list);
    std::string given;
    askInto([to](char* names, std::size_t size) { return ::flistxattr(to, names, size); }, given);
    for (const std::string& name : namesIn(given)) {
        if (std::find(kept.begin(), kept.end(), name) == kept.end()) {
            ::fremovexattr(to, name.c_str());
        }
    }
    for (const std::string& name : kept) {
        std::string value;
        const auto get = [&from, &name](char* bytes, std::size_t size) {
            return ::getxattr(from.c_str(), name.c_str(), bytes, size);
        };
        if (const std::error_code error = askInto(get, value)) {
            return error;
        }
        if (::fsetxattr(to, name.c_str(), value.data(), value.size(), 0) != 0 && errno != ENOTSUP &&
            errno != EPERM) {
            return lastError();
        }
    }
    return {};
}

} // namespace

struct AtomicFile::Native {
    int fd = -1;
    mode_t mode = 0;
    uid_t owner = 0;
    gid_t group = 0;
    off_t written = 0;
    off_t handedToDisk = 0; // the bytes whose writing to disk has begun
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
            throw fileError(ErrorKind::CannotWrite, target_, std::make_error_code(std::errc::is_a_directory));
        }
        if (!writable(resolved_, info)) {
            throw writeProtected(ErrorKind::FileWriteProtected, target_);
        }
        targetExists_ = true;
        native_->mode =
            info.st_mode & (07000 | static_cast<mode_t>(mostAccess_ & std::filesystem::perms::mask));
        native_->owner = info.st_uid;
        native_->group = info.st_gid;
    }
    std::filesystem::path folder = resolved_.parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    if (::stat(folder.c_str(), &info) == 0 && !writable(folder, info)) {
        throw writeProtected(ErrorKind::FolderWriteProtected, folder);
    }
}

// Created with no more access than the file it replaces will have; the process's umask may take more.
std::error_code AtomicFile::openTemp() {
    const auto allowed = static_cast<mode_t>(mostAccess_ & std::filesystem::perms::mask);
    const mode_t mode = (targetExists_ ? native_->mode : 0666) & allowed & 0777;
    native_->fd = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (native_->fd < 0) {
        return lastError();
    }
    const std::error_code error =
        targetExists_ ? copyExtendedAttributes(resolved_, native_->fd) : std::error_code();
    if (error) {
        closeTemp();
        ::unlink(temp_.c_str());
    }
    return error;
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
        native_->written += written;
    }
#ifdef __linux__
    // The system starts writing each few MiB to disk as soon as they are written, so that the fsync
    // of prepare() finds little left to write: the disk works while the run computes. Only a hint:
    // a failure to write shows at the fsync.
    constexpr off_t kWriteBackBytes = off_t{8} << 20;
    if (native_->written - native_->handedToDisk >= kWriteBackBytes) {
        ::sync_file_range(native_->fd, native_->handedToDisk, native_->written - native_->handedToDisk,
                          SYNC_FILE_RANGE_WRITE);
        native_->handedToDisk = native_->written;
    }
#endif
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
