#include "run/folder_lock.hpp"

#include <cerrno>
#include <fcntl.h>
#include <set>
#include <sys/file.h>
#include <unistd.h>

#include "run/messages.hpp"
#include "run/run_error.hpp"

namespace sintegra {
namespace {

// Each entry is a mark, '+' for a temporary file created and '-' for one gone, then the path and
// a NUL, which no path holds. One write() per entry, so a killed process never leaves half of one.
std::string readAll(int fd) {
    std::string text;
    char buffer[4096];
    off_t offset = 0;
    for (;;) {
        const ssize_t got = ::pread(fd, buffer, sizeof buffer, offset);
        if (got <= 0) {
            return text;
        }
        text.append(buffer, static_cast<std::size_t>(got));
        offset += got;
    }
}

std::set<std::string> pendingTemps(const std::string& log) {
    std::set<std::string> pending;
    std::size_t start = 0;
    for (std::size_t end = log.find('\0'); end != std::string::npos; end = log.find('\0', start)) {
        const std::string entry = log.substr(start, end - start);
        if (!entry.empty() && entry[0] == '+') {
            pending.insert(entry.substr(1));
        } else if (!entry.empty()) {
            pending.erase(entry.substr(1));
        }
        start = end + 1;
    }
    return pending;
}

} // namespace

bool isOwnTempFile(const std::filesystem::path& path) {
    const std::string name = path.filename().string();
    const std::size_t mark = name.rfind(".orv-");
    if (name.size() < 2 || name[0] != '.' || mark == std::string::npos || name.size() - mark != 5 + 16) {
        return false;
    }
    return name.find_first_not_of("0123456789abcdef", mark + 5) == std::string::npos;
}

FolderLock::FolderLock(const std::filesystem::path& folder) {
    const std::string file = (folder / kLockFileName).string();
    fd_ = ::open(file.c_str(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        throw fileError(FileStep::Open, file, errno);
    }
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd_);
        if (error == EWOULDBLOCK) {
            throw RunError(std::string(messages::kFolderInUse), folder.string());
        }
        throw fileError(FileStep::Open, file, error);
    }
    removeLeftovers();
}

FolderLock::~FolderLock() {
    ::close(fd_);
}

void FolderLock::removeLeftovers() {
    for (const std::string& temp : pendingTemps(readAll(fd_))) {
        if (isOwnTempFile(temp)) {
            ::unlink(temp.c_str());
        }
    }
    [[maybe_unused]] const int ignored = ::ftruncate(fd_, 0);
}

void FolderLock::append(char mark, const std::string& path) noexcept {
    std::string entry(1, mark);
    entry += path;
    entry += '\0';
    [[maybe_unused]] const ssize_t ignored = ::write(fd_, entry.data(), entry.size());
}

void FolderLock::added(const std::string& path) noexcept {
    ++pending_;
    append('+', path);
}

// With no temporary file left the list starts over, so that it does not grow run after run.
void FolderLock::removed(const std::string& path) noexcept {
    if (--pending_ == 0) {
        [[maybe_unused]] const int ignored = ::ftruncate(fd_, 0);
    } else {
        append('-', path);
    }
}

} // namespace sintegra
