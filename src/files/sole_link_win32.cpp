#include "files/sole_link.hpp"

#include <windows.h>

namespace sintegra {

// Opened without sharing: the open fails when another program holds the file.
bool addSoleLink(const std::filesystem::path& file, const std::filesystem::path& link) noexcept {
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool sole = GetFileInformationByHandle(handle, &info) && info.nNumberOfLinks == 1;
    CloseHandle(handle);
    return sole && CreateHardLinkW(link.c_str(), file.c_str(), nullptr);
}

} // namespace sintegra
