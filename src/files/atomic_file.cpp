#include "files/atomic_file.hpp"

#include <cstdio>
#include <random>

#include "errors/file_errors.hpp"
#include "files/injected_fault.hpp"
#include "files/same_bytes.hpp"
#include "files/temp_registry.hpp"

namespace sintegra {
namespace {

constexpr std::size_t kBufferSize = 1 << 20;
constexpr int kNameAttempts = 8;

// A short name of fixed length beside the target, whatever the target's own name: a name as long as
// the system takes is still replaced. isOwnTempFile() knows the shape.
std::filesystem::path tempName(const std::filesystem::path& target) {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    char name[32];
    std::snprintf(name, sizeof name, ".orv-%016llx", static_cast<unsigned long long>(random()));
    return target.parent_path() / name;
}

// Absolute, so that the temporary file is listed in a form that the next start can use from any
// working folder.
std::filesystem::path absoluteOrAsGiven(const std::filesystem::path& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute;
}

// Looks at the name itself, a link not followed.
void refuseAllButRegularFile(const std::filesystem::path& target) {
    std::error_code error;
    const std::filesystem::file_type type = std::filesystem::symlink_status(target, error).type();
    if (!error && type != std::filesystem::file_type::regular &&
        type != std::filesystem::file_type::not_found) {
        throw notRegularFile(target);
    }
}

} // namespace

AtomicFile::AtomicFile(std::filesystem::path target, TempRegistry* registry,
                       std::filesystem::perms mostAccess, TargetKind kind)
    : target_(std::move(target))
    , registry_(registry)
    , mostAccess_(mostAccess) {
    if (kind == TargetKind::OwnFile) {
        refuseAllButRegularFile(target_);
    }
    resolved_ = absoluteOrAsGiven(target_);
    inspectTarget();
    createTemp();
    buffer_.reserve(kBufferSize);
}

AtomicFile::~AtomicFile() {
    discard();
}

void AtomicFile::createTemp() {
    for (int attempt = 0;; ++attempt) {
        temp_ = tempName(resolved_);
        if (registry_ != nullptr) {
            registry_->added(temp_);
        }
        const std::error_code error = openTemp();
        if (!error) {
            return;
        }
        if (registry_ != nullptr) {
            registry_->removed(temp_);
        }
        temp_.clear();
        if (error != std::errc::file_exists || attempt == kNameAttempts) {
            throw fileError(ErrorKind::CannotCreateTemp, target_, error);
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
    if (size == 0) {
        return;
    }
    std::error_code error = InjectedFault::check(FileOperation::Write, target_);
    if (!error) {
        error = writeTemp(data, size);
    }
    if (error) {
        throw fileError(ErrorKind::CannotWrite, target_, error);
    }
    written_ += size;
}

bool AtomicFile::matchesTarget() {
    flush();
    return targetExists_ && sameBytes(temp_, resolved_, written_);
}

void AtomicFile::prepare() {
    if (prepared_) {
        return;
    }
    flush();
    std::error_code error = InjectedFault::check(FileOperation::Flush, target_);
    if (!error) {
        error = finishTemp();
    }
    if (error) {
        throw fileError(ErrorKind::CannotWrite, target_, error);
    }
    prepared_ = true;
}

void AtomicFile::commit() {
    prepare();
    std::error_code error = InjectedFault::check(FileOperation::Replace, target_);
    if (!error) {
        error = replaceTarget();
    }
    if (error) {
        throw fileError(ErrorKind::CannotReplace, target_, error);
    }
    if (registry_ != nullptr) {
        registry_->removed(temp_);
    }
    temp_.clear();
}

void AtomicFile::discard() noexcept {
    closeTemp();
    if (!temp_.empty()) {
        std::error_code ignored;
        std::filesystem::remove(temp_, ignored);
        if (registry_ != nullptr) {
            registry_->removed(temp_);
        }
        temp_.clear();
    }
}

} // namespace sintegra
