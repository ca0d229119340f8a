#include "run/input_file.hpp"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "run/run_error.hpp"

namespace sintegra {

InputFile::InputFile(std::string path)
    : path_(std::move(path)) {
    // Without O_NONBLOCK a FIFO would hold open() until a writer came, and only SIGKILL ends that; for a
    // regular file, the only kind read, it changes nothing.
    fd_ = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0) {
        throw fileError(FileStep::Open, path_, errno);
    }
    struct stat info {};
    if (::fstat(fd_, &info) != 0) {
        const int error = errno;
        ::close(fd_);
        throw fileError(FileStep::Open, path_, error);
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd_);
        if (S_ISDIR(info.st_mode)) {
            throw fileError(FileStep::Open, path_, EISDIR);
        }
        throw RunError("Não foi possível abrir o arquivo \"" + path_ + "\": não é um arquivo comum.", path_);
    }
    size_ = static_cast<std::uint64_t>(info.st_size);
    device_ = info.st_dev;
    inode_ = info.st_ino;
}

InputFile::~InputFile() {
    ::close(fd_);
}

std::size_t InputFile::read(char* buffer, std::size_t capacity) {
    for (;;) {
        const ssize_t got = ::read(fd_, buffer, capacity);
        if (got >= 0) {
            return static_cast<std::size_t>(got);
        }
        if (errno != EINTR) {
            throw fileError(FileStep::Read, path_, errno);
        }
    }
}

bool InputFile::sameFileAs(const InputFile& other) const noexcept {
    return device_ == other.device_ && inode_ == other.inode_;
}

} // namespace sintegra
