#include <windows.h>
#include <iterator>

#include "files/system_cause.hpp"
#include "files/wide_text.hpp"

namespace sintegra::detail {

// GetLastError() values, sorted so that a cause reads the same as on POSIX.
Cause causeOfSystemCode(int value) {
    switch (static_cast<DWORD>(value)) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
        return Cause::Missing;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return Cause::Exists;
    case ERROR_ACCESS_DENIED:
        return Cause::Denied;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return Cause::DiskFull;
    case ERROR_FILE_TOO_LARGE:
        return Cause::FileTooLarge;
    case ERROR_WRITE_PROTECT:
        return Cause::ReadOnlyDisk;
    case ERROR_DIRECTORY:
        return Cause::NotFolder;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_IO_DEVICE:
        return Cause::DeviceError;
    case ERROR_FILENAME_EXCED_RANGE:
        return Cause::NameTooLong;
    case ERROR_TOO_MANY_OPEN_FILES:
        return Cause::TooManyOpenFiles;
    case ERROR_CANT_RESOLVE_FILENAME:
        return Cause::TooManyLinks;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
        return Cause::InUse;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return Cause::NoMemory;
    default:
        return Cause::Other;
    }
}

// In the language of the system, without the period and line end that close it.
std::string systemCodeText(int value) {
    wchar_t words[512];
    DWORD size = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                static_cast<DWORD>(value), 0, words, std::size(words), nullptr);
    while (size > 0 && (words[size - 1] == L'.' || words[size - 1] == L'\r' || words[size - 1] == L'\n' ||
                        words[size - 1] == L' ')) {
        --size;
    }
    if (size == 0) {
        return "erro " + std::to_string(value) + " do sistema";
    }
    return narrow(std::wstring_view(words, size));
}

} // namespace sintegra::detail
