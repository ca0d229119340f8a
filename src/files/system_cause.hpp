#pragma once

#include <string>
#include <system_error>

// Private to src/files: each system sorts its own error codes into the causes that the user is told.
namespace sintegra::detail {

enum class Cause {
    Missing,
    Exists,
    Denied,
    DiskFull,
    QuotaExceeded,
    FileTooLarge,
    ReadOnlyDisk,
    IsFolder,
    NotFolder,
    DeviceError,
    NameTooLong,
    TooManyOpenFiles,
    TooManyLinks,
    InUse,
    NoMemory,
    Other,
};

// The cause of a std::errc value.
Cause causeOfErrc(int value);
// The cause of a code of the system's own category (errno, GetLastError()).
Cause causeOfSystemCode(int value);
// The system's own words, as UTF-8, for a code of its category that no cause covers.
std::string systemCodeText(int value);

} // namespace sintegra::detail
