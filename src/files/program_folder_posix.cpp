#include "files/program_folder.hpp"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace sintegra {
namespace {

std::filesystem::path homeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') {
        return home;
    }
    const passwd* user = ::getpwuid(::getuid());
    return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "/";
}

} // namespace

std::filesystem::path executableFolder() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path() : self.parent_path();
}

// Root may write anywhere but on a read-only disk, which access() reports.
bool canWriteIn(const std::filesystem::path& folder) {
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

// A relative XDG_DATA_HOME is invalid and ignored, as the XDG base directory rules say.
std::filesystem::path userDataFolder() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && std::filesystem::path(xdg).is_absolute()) {
        return std::filesystem::path(xdg) / "sintegra-orv";
    }
    return homeFolder() / ".local" / "share" / "sintegra-orv";
}

} // namespace sintegra
