#include "files/program_folder.hpp"

#include <windows.h>
#include <shlobj.h>
#include <string>

namespace sintegra {

std::filesystem::path executableFolder() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (size == 0) {
            return std::filesystem::current_path();
        }
        if (size < name.size()) {
            name.resize(size);
            return std::filesystem::path(name).parent_path();
        }
        name.resize(name.size() * 2);
    }
}

// Access rights on Windows are a matter of ACLs, inheritance and virtualization: creating a file is
// the one reliable test. The probe goes away with its handle.
bool canWriteIn(const std::filesystem::path& folder) {
    const std::filesystem::path probe = folder / L".sintegra-orv-teste-de-escrita";
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

// Without a known local data folder the executable's stays, and the start says why it cannot write.
std::filesystem::path userDataFolder() {
    PWSTR local = nullptr;
    std::filesystem::path folder = executableFolder();
    if (SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_CREATE, nullptr, &local) == S_OK) {
        folder = std::filesystem::path(local) / L"Sintegra ORV";
    }
    CoTaskMemFree(local);
    return folder;
}

} // namespace sintegra
