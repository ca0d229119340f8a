#include "files/program_folder.hpp"

#include <string>
#include <windows.h>

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

} // namespace sintegra
