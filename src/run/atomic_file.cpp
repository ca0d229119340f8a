#include "run/atomic_file.hpp"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>

#include "run/run_error.hpp"
#include "run/temp_registry.hpp"

namespace sintegra {
namespace {

constexpr std::size_t kBufferSize = 1 << 20;

// Root may write anything; the write bits still say what the user meant to protect.
bool writable(const std::string& path, const struct stat& info) {
    if (::geteuid() == 0) {
        return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
    }
    return ::access(path.c_str(), W_OK) == 0;
}

std::string tempName(const std::filesystem::path& target) {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    char suffix[17];
    std::snprintf(suffix, sizeof suffix, "%016llx", static_cast<unsigned long long>(random()));
    const std::filesystem::path folder = target.parent_path();
    return (folder / ("." + target.filename().string() + ".orv-" + suffix)).string();
}

} // namespace

AtomicFile::AtomicFile(std::string target, TempRegistry* registry)
    : target_(std::move(target))
    , registry_(registry) {
    resolveTarget();
    createTemp();
    buffer_.reserve(kBufferSize);
}

AtomicFile::~AtomicFile() {
    discard();
}

void AtomicFile::resolveTarget() {
    // Absolute, so that the temporary file is listed in a form that the next start can use from any
    // working folder.
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(target_, error);
    resolved_ = error ? target_ : absolute.string();
    char real[PATH_MAX];
    if (::realpath(target_.c_str(), real) != nullptr) {
        resolved_ = real;
    }
    struct stat info {};
    if (::stat(resolved_.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) {
            throw fileError(FileStep::Write, target_, EISDIR);
        }
        if (!writable(resolved_, info)) {
            throw RunError("O arquivo \"" + target_ + "\" está protegido contra gravação.", target_);
        }
        targetExists_ = true;
        mode_ = info.st_mode & 07777;
        owner_ = info.st_uid;
        group_ = info.st_gid;
    }
    std::filesystem::path folder = std::filesystem::path(resolved_).parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    if (::stat(folder.c_str(), &info) == 0 && !writable(folder.string(), info)) {
        throw RunError("A pasta \"" + folder.string() + "\" está protegida contra gravação.", target_);
    }
}

void AtomicFile::createTemp() {
    for (int attempt = 0; fd_ < 0; ++attempt) {
        temp_ = tempName(resolved_);
        if (registry_ != nullptr) {
            registry_->added(temp_);
        }
        fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0) {
            const int error = errno;
            if (registry_ != nullptr) {
                registry_->removed(temp_);
            }
            if (error != EEXIST || attempt == 8) {
                temp_.clear();
                throw fileError(FileStep::Create, target_, error);
            }
        }
    }
}

void AtomicFile::write(std::string_view bytes) {
    if (buffer_.size() + bytes.size() > kBufferSize) {
        flush();
        if (bytes.size() >= kBufferSize) {
            writeAll(bytes.data(), bytes.size());
            return;
        }
    }
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
}

void AtomicFile::flush() {
    writeAll(buffer_.data(), buffer_.size());
    buffer_.clear();
}

void AtomicFile::writeAll(const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd_, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw fileError(FileStep::Write, target_, errno);
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
}

void AtomicFile::prepare() {
    if (fd_ < 0) {
        return;
    }
    flush();
    if (targetExists_) {
        if (::fchmod(fd_, mode_) != 0) {
            throw fileError(FileStep::Write, target_, errno);
        }
        if (::geteuid() == 0) {
            [[maybe_unused]] const int ignored = ::fchown(fd_, owner_, group_);
        }
    }
    if (::fsync(fd_) != 0) {
        throw fileError(FileStep::Write, target_, errno);
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        throw fileError(FileStep::Write, target_, errno);
    }
}

void AtomicFile::commit() {
    prepare();
    if (::rename(temp_.c_str(), resolved_.c_str()) != 0) {
        throw fileError(FileStep::Replace, target_, errno);
    }
    if (registry_ != nullptr) {
        registry_->removed(temp_);
    }
    temp_.clear();
    const std::string folder = std::filesystem::path(resolved_).parent_path().string();
    const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

void AtomicFile::discard() noexcept {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        if (registry_ != nullptr) {
            registry_->removed(temp_);
        }
        temp_.clear();
    }
}

} // namespace sintegra
