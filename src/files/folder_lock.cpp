#include "files/folder_lock.hpp"

#include <set>

#include "files/path_text.hpp"

namespace sintegra {
namespace {

// Each entry is a mark, '+' for a temporary file created and '-' for one gone, then the path and
// a NUL, which no path holds. One write per entry, so a killed process never leaves half of one.
std::set<std::filesystem::path> pendingTemps(const std::string& list) {
    std::set<std::filesystem::path> pending;
    std::size_t start = 0;
    for (std::size_t end = list.find('\0'); end != std::string::npos; end = list.find('\0', start)) {
        const std::string_view entry = std::string_view(list).substr(start, end - start);
        if (entry.size() > 1) {
            const std::filesystem::path path = pathFromText(entry.substr(1));
            if (entry[0] == '+') {
                pending.insert(path);
            } else {
                pending.erase(path);
            }
        }
        start = end + 1;
    }
    return pending;
}

} // namespace

// ".orv-" and 16 hexadecimal digits; before them, as older versions named them, the target's name
// after a dot.
bool isOwnTempFile(const std::filesystem::path& path) {
    const std::string name = pathText(path.filename());
    const std::size_t mark = name.rfind(".orv-");
    if (name.size() < 2 || name[0] != '.' || mark == std::string::npos || name.size() - mark != 5 + 16) {
        return false;
    }
    return name.find_first_not_of("0123456789abcdef", mark + 5) == std::string::npos;
}

FolderLock::FolderLock(const std::filesystem::path& folder)
    : file_(folder / kLockFileName) {
    lock();
    removeLeftovers();
}

FolderLock::~FolderLock() = default;

void FolderLock::removeLeftovers() {
    for (const std::filesystem::path& temp : pendingTemps(readList())) {
        if (isOwnTempFile(temp)) {
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
        }
    }
    clearList();
}

void FolderLock::removeIfCreated() noexcept {
    if (created_) {
        std::error_code ignored;
        std::filesystem::remove(file_, ignored);
    }
}

void FolderLock::append(char mark, const std::filesystem::path& path) noexcept {
    std::string entry(1, mark);
    entry += pathText(path);
    entry += '\0';
    appendToList(entry);
}

void FolderLock::added(const std::filesystem::path& path) noexcept {
    ++pending_;
    append('+', path);
}

// With no temporary file left the list starts over, so that it does not grow run after run.
void FolderLock::removed(const std::filesystem::path& path) noexcept {
    if (--pending_ == 0) {
        clearList();
    } else {
        append('-', path);
    }
}

} // namespace sintegra
