#pragma once

#include <filesystem>
#include <string>

#include "run/temp_registry.hpp"

namespace sintegra {

inline constexpr std::string_view kLockFileName = "Sintegra.lck";

// Holds the program folder for one running copy of the program: a second copy would replace the
// first one's staging store under it. The lock file also lists the temporary files that runs have
// beside user files, so that the next start removes those a killed run left behind.
class FolderLock : public TempRegistry {
public:
    // Throws RunError when another copy holds the folder or the lock file cannot be opened.
    explicit FolderLock(const std::filesystem::path& folder);
    ~FolderLock() override;
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    void added(const std::string& path) noexcept override;
    void removed(const std::string& path) noexcept override;

private:
    void removeLeftovers();
    void append(char mark, const std::string& path) noexcept;

    int fd_ = -1;
    std::size_t pending_ = 0;
};

// Whether a path names a temporary file that this program writes beside a user file.
bool isOwnTempFile(const std::filesystem::path& path);

} // namespace sintegra
