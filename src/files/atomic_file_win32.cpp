#include "files/atomic_file.hpp"

#include <windows.h>

#include "errors/file_errors.hpp"

namespace sintegra {
namespace {

constexpr DWORD kMostPerWrite = DWORD{1} << 30;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// What the new file takes over from the one it replaces, as POSIX keeps the mode.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

std::error_code systemError(DWORD code) {
    return {static_cast<int>(code), std::system_category()};
}

std::error_code lastError() {
    return systemError(GetLastError());
}

// The name that the system gives an open file, links followed, without the "\\?\" prefix.
std::filesystem::path finalPath(HANDLE file, const std::filesystem::path& fallback) {
    std::wstring name(MAX_PATH, L'\0');
    DWORD size = GetFinalPathNameByHandleW(file, name.data(), static_cast<DWORD>(name.size()), 0);
    if (size >= name.size()) {
        name.resize(size);
        size = GetFinalPathNameByHandleW(file, name.data(), static_cast<DWORD>(name.size()), 0);
    }
    if (size == 0 || size >= name.size()) {
        return fallback;
    }
    name.resize(size);
    if (name.starts_with(L"\\\\?\\UNC\\")) {
        return L"\\\\" + name.substr(8);
    }
    return name.starts_with(L"\\\\?\\") ? name.substr(4) : name;
}

Error writeProtected(ErrorKind kind, const std::filesystem::path& path) {
    return fileError(kind, path, std::make_error_code(std::errc::permission_denied));
}

// A replace is refused with "access denied" when another program holds the target open; whether it
// holds it is learnt by asking for the right to delete it, which the holder's sharing decides.
std::error_code whyNotReplaced(const std::filesystem::path& target, DWORD code) {
    if (code != ERROR_ACCESS_DENIED) {
        return systemError(code);
    }
    const HANDLE probe = CreateFileW(target.c_str(), DELETE, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        CloseHandle(probe);
        return systemError(ERROR_SHARING_VIOLATION);
    }
    const DWORD probed = GetLastError();
    return systemError(probed == ERROR_SHARING_VIOLATION ? probed : code);
}

} // namespace

struct AtomicFile::Native {
    HANDLE file = INVALID_HANDLE_VALUE;
    FILE_BASIC_INFO target{}; // the replaced file's times and attributes
};

void AtomicFile::NativeDeleter::operator()(Native* native) const noexcept {
    delete native;
}

// A folder's write protection is its ACL's business: creating the temporary file asks it.
void AtomicFile::inspectTarget() {
    native_.reset(new Native);
    const HANDLE existing = CreateFileW(target_.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (existing == INVALID_HANDLE_VALUE) {
        return;
    }
    FILE_BASIC_INFO& basic = native_->target;
    const bool known = GetFileInformationByHandleEx(existing, FileBasicInfo, &basic, sizeof basic);
    resolved_ = finalPath(existing, resolved_);
    CloseHandle(existing);
    if (!known) {
        return;
    }
    if ((basic.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        throw fileError(ErrorKind::CannotWrite, target_, std::make_error_code(std::errc::is_a_directory));
    }
    if ((basic.FileAttributes & FILE_ATTRIBUTE_READONLY) != 0) {
        throw writeProtected(ErrorKind::FileWriteProtected, target_);
    }
    targetExists_ = true;
}

// Readable while it is written, for a run that reads the file it has just normalized.
std::error_code AtomicFile::openTemp() {
    native_->file = CreateFileW(temp_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (native_->file != INVALID_HANDLE_VALUE) {
        return {};
    }
    const DWORD code = GetLastError();
    return code == ERROR_FILE_EXISTS ? std::make_error_code(std::errc::file_exists) : systemError(code);
}

std::error_code AtomicFile::writeTemp(const char* data, std::size_t size) {
    while (size > 0) {
        DWORD written = 0;
        const DWORD asked = size < kMostPerWrite ? static_cast<DWORD>(size) : kMostPerWrite;
        if (!WriteFile(native_->file, data, asked, &written, nullptr)) {
            return lastError();
        }
        data += written;
        size -= written;
    }
    return {};
}

// The creation time and the attributes of the replaced file stay; the times of the last write and
// access are the system's.
std::error_code AtomicFile::finishTemp() {
    if (targetExists_) {
        FILE_BASIC_INFO kept{};
        kept.CreationTime = native_->target.CreationTime;
        kept.FileAttributes = native_->target.FileAttributes & kKeptAttributes;
        if (!SetFileInformationByHandle(native_->file, FileBasicInfo, &kept, sizeof kept)) {
            return lastError();
        }
    }
    if (!FlushFileBuffers(native_->file)) {
        return lastError();
    }
    const HANDLE file = native_->file;
    native_->file = INVALID_HANDLE_VALUE;
    return CloseHandle(file) ? std::error_code() : lastError();
}

// One rename, which either happens whole or not at all; write-through returns once it is on disk.
std::error_code AtomicFile::replaceTarget() {
    if (MoveFileExW(temp_.c_str(), resolved_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return {};
    }
    return whyNotReplaced(resolved_, GetLastError());
}

void AtomicFile::closeTemp() noexcept {
    if (native_ && native_->file != INVALID_HANDLE_VALUE) {
        CloseHandle(native_->file);
        native_->file = INVALID_HANDLE_VALUE;
    }
}

} // namespace sintegra
