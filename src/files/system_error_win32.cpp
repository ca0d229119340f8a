#include <windows.h>

#include "files/system_cause.hpp"

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

} // namespace sintegra::detail
