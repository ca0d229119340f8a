#include "files/input_file.hpp"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "errors/file_errors.hpp"

namespace sintegra {
namespace {

std::error_code lastError() {
    return {errno, std::system_category()};
}

FileStamp stampFrom(const struct stat& info) {
    const auto nanoseconds = static_cast<std::uint64_t>(info.st_mtim.tv_sec) * 1000000000u +
                             static_cast<std::uint64_t>(info.st_mtim.tv_nsec);
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
            static_cast<std::uint64_t>(info.st_size), nanoseconds};
}

} // namespace

std::optional<FileStamp> stampOf(const std::filesystem::path& path) noexcept {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return stampFrom(info);
}

InputFile::InputFile(std::filesystem::path path)
    : path_(std::move(path)) {
    // Without O_NONBLOCK a FIFO would hold open() until a writer came, and only SIGKILL ends that; for a
    // regular file, the only kind read, it changes nothing.
    const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        throw fileError(ErrorKind::CannotOpen, path_, lastError());
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const std::error_code error = lastError();
        ::close(fd);
        throw fileError(ErrorKind::CannotOpen, path_, error);
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        if (S_ISDIR(info.st_mode)) {
            throw fileError(ErrorKind::CannotOpen, path_, std::make_error_code(std::errc::is_a_directory));
        }
        throw notRegularFile(path_);
    }
    handle_ = fd;
    stamp_ = stampFrom(info);
    permissions_ = static_cast<std::filesystem::perms>(info.st_mode & 0777);
}

InputFile::~InputFile() {
    close();
}

void InputFile::close() noexcept {
    if (handle_ >= 0) {
        ::close(static_cast<int>(handle_));
        handle_ = -1;
    }
}

std::size_t InputFile::read(char* buffer, std::size_t capacity) {
    for (;;) {
        const ssize_t got = ::read(static_cast<int>(handle_), buffer, capacity);
        if (got >= 0) {
            return static_cast<std::size_t>(got);
        }
        if (errno != EINTR) {
            throw fileError(ErrorKind::CannotRead, path_, lastError());
        }
    }
}

} // namespace sintegra
