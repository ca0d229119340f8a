#include "files/folder_lock.hpp"

#include <windows.h>

#include "errors/file_errors.hpp"

namespace sintegra {
namespace {

constexpr int kLockAttempts = 8;
// The byte locked lies far past the list, as a lock on Windows keeps other programs from reading
// the bytes it covers.
constexpr DWORD kLockedByteHigh = 0x40000000;

std::error_code lastError() {
    return {static_cast<int>(GetLastError()), std::system_category()};
}

OVERLAPPED at(DWORD low, DWORD high) {
    OVERLAPPED position{};
    position.Offset = low;
    position.OffsetHigh = high;
    return position;
}

// A lock taken on a file that a failing start has deleted meanwhile holds nothing.
bool deletePending(HANDLE file) {
    FILE_STANDARD_INFO info{};
    return GetFileInformationByHandleEx(file, FileStandardInfo, &info, sizeof info) && info.DeletePending;
}

bool regularFile(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info{};
    return GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &info) &&
           (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
}

} // namespace

struct FolderLock::Native {
    HANDLE file = INVALID_HANDLE_VALUE;
    ~Native() {
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
        }
    }
};

void FolderLock::NativeDeleter::operator()(Native* native) const noexcept {
    delete native;
}

// Shared for deleting, as removeIfCreated() deletes the file while it still holds it. A link planted
// in its place is opened as itself, not followed, and refused: the lock must be a regular file.
void FolderLock::lock() {
    native_.reset(new Native);
    for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
        const HANDLE file =
            CreateFileW(file_.c_str(), GENERIC_READ | GENERIC_WRITE,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            throw fileError(ErrorKind::CannotOpen, file_, lastError());
        }
        created_ = GetLastError() != ERROR_ALREADY_EXISTS;
        native_->file = file;
        if (!regularFile(file)) {
            throw notRegularFile(file_);
        }
        OVERLAPPED locked = at(0, kLockedByteHigh);
        if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &locked)) {
            if (GetLastError() == ERROR_LOCK_VIOLATION) {
                throw Error(ErrorKind::FolderInUse);
            }
            throw fileError(ErrorKind::CannotOpen, file_, lastError());
        }
        if (!deletePending(file)) {
            return;
        }
        CloseHandle(file);
        native_->file = INVALID_HANDLE_VALUE;
    }
    throw Error(ErrorKind::FolderInUse);
}

std::string FolderLock::readList() {
    std::string text;
    char buffer[4096];
    for (std::uint64_t offset = 0;;) {
        OVERLAPPED from = at(static_cast<DWORD>(offset), static_cast<DWORD>(offset >> 32));
        DWORD got = 0;
        if (!ReadFile(native_->file, buffer, sizeof buffer, &got, &from) || got == 0) {
            return text;
        }
        text.append(buffer, got);
        offset += got;
    }
}

void FolderLock::clearList() noexcept {
    LARGE_INTEGER start{};
    if (SetFilePointerEx(native_->file, start, nullptr, FILE_BEGIN)) {
        SetEndOfFile(native_->file);
    }
}

// Written at the end whatever the file's position, in one call, as O_APPEND does.
void FolderLock::appendToList(const std::string& entry) noexcept {
    OVERLAPPED end = at(0xFFFFFFFF, 0xFFFFFFFF);
    DWORD written = 0;
    WriteFile(native_->file, entry.data(), static_cast<DWORD>(entry.size()), &written, &end);
}

} // namespace sintegra
