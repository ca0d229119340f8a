#include "files/private_copy.hpp"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace sintegra {
namespace {

std::error_code lastError() {
    return {errno, std::system_category()};
}

std::error_code copyBytes(int from, int to) {
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(from, buffer, sizeof buffer);
        if (got == 0) {
            return {};
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return lastError();
        }
        for (ssize_t done = 0; done < got;) {
            const ssize_t written = ::write(to, buffer + done, static_cast<std::size_t>(got - done));
            if (written < 0 && errno != EINTR) {
                return lastError();
            }
            done += written < 0 ? 0 : written;
        }
    }
}

} // namespace

std::error_code copyToPrivateFile(const std::filesystem::path& from,
                                  const std::filesystem::path& to) noexcept {
    const int input = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (input < 0) {
        return lastError();
    }
    const int output = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (output < 0) {
        const std::error_code error = lastError();
        ::close(input);
        return error;
    }
    std::error_code error = copyBytes(input, output);
    ::close(input);
    if (::close(output) != 0 && !error) {
        error = lastError();
    }
    if (error) {
        ::unlink(to.c_str());
    }
    return error;
}

} // namespace sintegra
