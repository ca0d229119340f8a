#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "files/temp_registry.hpp"

namespace sintegra {

inline constexpr std::string_view kLockFileName = "Sintegra.lck";

// Holds the program folder for one running copy of the program: a second copy would replace the
// first one's staging store under it. The lock file also lists the temporary files that runs have
// beside user files, so that the next start removes those a killed run left behind.
class FolderLock : public TempRegistry {
public:
    // Throws Error: FolderInUse, or a kind of its own when the lock file cannot be opened.
    explicit FolderLock(const std::filesystem::path& folder);
    ~FolderLock() override;
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    void added(const std::filesystem::path& path) noexcept override;
    void removed(const std::filesystem::path& path) noexcept override;

    // Removes the lock file, if this lock created it, while still holding it: a start that fails
    // leaves nothing behind.
    void removeIfCreated() noexcept;

private:
    void removeLeftovers();
    void append(char mark, const std::filesystem::path& path) noexcept;

    // Per system, in folder_lock_<system>.cpp.
    struct Native; // the lock file's descriptor or handle
    struct NativeDeleter {
        void operator()(Native* native) const noexcept;
    };
    // Opens file_, creating it when missing (then sets created_), and locks it without waiting.
    void lock();
    std::string readList();
    void clearList() noexcept;
    void appendToList(const std::string& entry) noexcept;

    std::filesystem::path file_;
    std::unique_ptr<Native, NativeDeleter> native_;
    std::size_t pending_ = 0;
    bool created_ = false;
};

// Whether a path names a temporary file that this program writes beside a user file.
bool isOwnTempFile(const std::filesystem::path& path);

} // namespace sintegra
