#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace sintegra {

class TempRegistry;

inline constexpr std::string_view kCopiesFolderName = "Copias";
inline constexpr std::size_t kCopiesKept = 20;

// The folder that keeps the old bytes of every file a run replaces, each copy named after the file
// and the local time of the run: "NAME (AAAA-MM-DD HH-MM-SS).EXT", with " (2)", " (3)"... before
// the extension when that name is taken. The newest copies stay, the older ones go. Only a folder of
// its own is used: a link to one, or a file, fails the copy.
class CopyFolder {
public:
    CopyFolder(std::filesystem::path folder, std::string stamp, TempRegistry* temps);

    // Keeps the bytes that file holds now, under the name of named, and returns the copy's path.
    // The copy may be a second name of the file itself, so the file must afterwards be replaced
    // whole, never written in place. The folder is made when missing, for this user alone. Throws
    // Error.
    std::filesystem::path keep(const std::filesystem::path& file, const std::filesystem::path& named);
    // Puts a copy's bytes back in the place of target, as a whole. Throws Error.
    void restore(const std::filesystem::path& copy, const std::filesystem::path& target);
    // Removes the oldest copies beyond kCopiesKept; any other file in the folder stays, and so do the
    // copies kept by this object and the files that spared names, whatever their names.
    void prune(const std::vector<std::filesystem::path>& spared) const noexcept;

private:
    std::filesystem::path freeName(const std::filesystem::path& named) const;
    bool spares(const std::filesystem::path& copy,
                const std::vector<std::filesystem::path>& spared) const noexcept;

    std::filesystem::path folder_;
    std::string stamp_;
    TempRegistry* temps_;
    std::vector<std::filesystem::path> kept_;
};

// A time as copies are named: "AAAA-MM-DD HH-MM-SS", local time.
std::string copyStamp(std::chrono::system_clock::time_point time);

} // namespace sintegra
