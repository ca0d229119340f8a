#include "files/private_copy.hpp"

#include <windows.h>

namespace sintegra {

std::error_code copyToPrivateFile(const std::filesystem::path& from,
                                  const std::filesystem::path& to) noexcept {
    if (CopyFileW(from.c_str(), to.c_str(), TRUE)) {
        return {};
    }
    return {static_cast<int>(GetLastError()), std::system_category()};
}

} // namespace sintegra
