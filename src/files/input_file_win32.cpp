#include "files/input_file.hpp"

#include <windows.h>

#include "errors/file_errors.hpp"

namespace sintegra {
namespace {

// ReadFile counts in 32 bits.
constexpr DWORD kMostPerRead = DWORD{1} << 30;

std::error_code lastError() {
    return {static_cast<int>(GetLastError()), std::system_category()};
}

HANDLE native(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

std::uint64_t joined(DWORD high, DWORD low) {
    return (std::uint64_t{high} << 32) | low;
}

FileStamp stampFrom(const BY_HANDLE_FILE_INFORMATION& info) {
    return {info.dwVolumeSerialNumber, joined(info.nFileIndexHigh, info.nFileIndexLow),
            joined(info.nFileSizeHigh, info.nFileSizeLow),
            joined(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime)};
}

} // namespace

// Asked by handle, with the right to read attributes only, which no sharing of another program denies.
std::optional<FileStamp> stampOf(const std::filesystem::path& path) noexcept {
    const HANDLE file = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    return known ? std::optional(stampFrom(info)) : std::nullopt;
}

// Shared with readers, writers and deleters alike, as a file is on POSIX: another program may hold
// the file, and the run replaces it once it has let it go. The backup flag lets a folder be opened,
// so that it is refused as a folder; a device or a pipe is refused before it is read.
InputFile::InputFile(std::filesystem::path path)
    : path_(std::move(path)) {
    const HANDLE file =
        CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        throw fileError(ErrorKind::CannotOpen, path_, lastError());
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
    if (GetFileType(file) != FILE_TYPE_DISK) {
        close();
        throw notRegularFile(path_);
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file, &info)) {
        const std::error_code error = lastError();
        close();
        throw fileError(ErrorKind::CannotOpen, path_, error);
    }
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        close();
        throw fileError(ErrorKind::CannotOpen, path_, std::make_error_code(std::errc::is_a_directory));
    }
    stamp_ = stampFrom(info);
}

InputFile::~InputFile() {
    close();
}

void InputFile::close() noexcept {
    if (native(handle_) != INVALID_HANDLE_VALUE) {
        CloseHandle(native(handle_));
        handle_ = reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE);
    }
}

std::size_t InputFile::read(char* buffer, std::size_t capacity) {
    DWORD got = 0;
    const DWORD asked = capacity < kMostPerRead ? static_cast<DWORD>(capacity) : kMostPerRead;
    if (!ReadFile(native(handle_), buffer, asked, &got, nullptr)) {
        if (GetLastError() == ERROR_HANDLE_EOF) {
            return 0;
        }
        throw fileError(ErrorKind::CannotRead, path_, lastError());
    }
    return got;
}

} // namespace sintegra
