#include "files/copy_folder.hpp"

#include <algorithm>
#include <charconv>
#include <ctime>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include "errors/file_errors.hpp"
#include "files/atomic_file.hpp"
#include "files/input_file.hpp"
#include "files/own_folder.hpp"
#include "files/path_text.hpp"
#include "files/sole_link.hpp"

namespace sintegra {
namespace {

constexpr std::size_t kCopyChunk = 1 << 20;
constexpr std::string_view kStampShape = "0000-00-00 00-00-00";
// The longest name a folder holds: 255 bytes on Linux and macOS, 255 UTF-16 units on Windows.
constexpr std::size_t kMostNameUnits = 255;

void copyBytes(const std::filesystem::path& from, AtomicFile& to) {
    InputFile input(from);
    const auto buffer = std::make_unique<char[]>(kCopyChunk);
    for (std::size_t got; (got = input.read(buffer.get(), kCopyChunk)) > 0;) {
        to.write({buffer.get(), got});
    }
    to.commit();
}

// A copy is no easier to read than the file it keeps: a private file stays private in Copias.
std::filesystem::perms accessOf(const std::filesystem::path& file) {
    std::error_code error;
    const std::filesystem::perms access = std::filesystem::status(file, error).permissions();
    return error ? std::filesystem::perms::owner_read | std::filesystem::perms::owner_write : access;
}

// Whether a name is taken, by anything: a link that leads nowhere too. One that the system refuses to
// look at is left to the copy to fail on, with the system's reason.
bool taken(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::file_type type = std::filesystem::symlink_status(path, error).type();
    return !error && type != std::filesystem::file_type::not_found;
}

// The last character, its UTF-8 sequence whole.
void dropLastCharacter(std::string& text) {
    while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) {
        text.pop_back();
    }
    if (!text.empty()) {
        text.pop_back();
    }
}

// stem + tail as a name the system takes: the stem loses its last characters until it fits, so that
// a file whose name is as long as any can be is still kept.
std::filesystem::path fittedName(std::string stem, const std::string& tail) {
    std::filesystem::path name = pathFromText(stem + tail);
    while (name.native().size() > kMostNameUnits && !stem.empty()) {
        dropLastCharacter(stem);
        name = pathFromText(stem + tail);
    }
    return name;
}

bool hasStampShape(std::string_view text) {
    return text.size() == kStampShape.size() &&
           std::equal(text.begin(), text.end(), kStampShape.begin(),
                      [](char c, char shape) { return shape == '0' ? c >= '0' && c <= '9' : c == shape; });
}

// What makes a copy newer: its stamp, then its number in the same second.
using Age = std::pair<std::string, unsigned long>;

std::optional<unsigned long> numberIn(std::string_view digits) {
    unsigned long number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    return error == std::errc() && end == digits.data() + digits.size() ? std::optional(number)
                                                                        : std::nullopt;
}

// None for a name of another shape, which is then left alone: a number too large for one, or, on
// Windows, a name that UTF-8 cannot spell.
std::optional<Age> ageOf(const std::filesystem::path& file) noexcept try {
    std::string stem = pathText(file.stem());
    unsigned long number = 1;
    const std::size_t open = stem.rfind(" (");
    if (stem.ends_with(')') && open != std::string::npos && open + 3 < stem.size() &&
        stem.find_first_not_of("0123456789", open + 2) == stem.size() - 1) {
        const std::optional<unsigned long> parsed =
            numberIn(std::string_view(stem).substr(open + 2, stem.size() - open - 3));
        if (!parsed) {
            return std::nullopt;
        }
        number = *parsed;
        stem.resize(open);
    }
    const std::size_t stampAt = stem.size() - std::min(stem.size(), kStampShape.size() + 1);
    if (stampAt < 2 || !stem.ends_with(')') || stem.compare(stampAt - 2, 2, " (") != 0 ||
        !hasStampShape(std::string_view(stem).substr(stampAt, kStampShape.size()))) {
        return std::nullopt;
    }
    return Age{stem.substr(stampAt, kStampShape.size()), number};
} catch (const std::exception&) {
    return std::nullopt;
}

} // namespace

CopyFolder::CopyFolder(std::filesystem::path folder, std::string stamp, TempRegistry* temps)
    : folder_(std::move(folder))
    , stamp_(std::move(stamp))
    , temps_(temps) {}

std::filesystem::path CopyFolder::keep(const std::filesystem::path& file,
                                       const std::filesystem::path& named) {
    if (!makeOwnFolder(folder_)) {
        throw fileError(ErrorKind::CopiesFolderUnusable, folder_, {});
    }
    const std::filesystem::path copy = freeName(named);
    // A second name of the file keeps its bytes once the replace gives its path new ones, with
    // nothing read or written; a file that cannot have one is copied.
    if (!addSoleLink(file, copy)) {
        AtomicFile output(copy, temps_, accessOf(file));
        copyBytes(file, output);
    }
    kept_.push_back(copy);
    return copy;
}

void CopyFolder::restore(const std::filesystem::path& copy, const std::filesystem::path& target) {
    AtomicFile output(target, temps_);
    copyBytes(copy, output);
}

std::filesystem::path CopyFolder::freeName(const std::filesystem::path& named) const {
    const std::string stem = pathText(named.stem());
    const std::string stamped = " (" + stamp_ + ")";
    const std::string extension = pathText(named.extension());
    std::filesystem::path copy = folder_ / fittedName(stem, stamped + extension);
    for (unsigned long number = 2; taken(copy); ++number) {
        copy = folder_ / fittedName(stem, stamped + " (" + std::to_string(number) + ")" + extension);
    }
    return copy;
}

void CopyFolder::prune(const std::vector<std::filesystem::path>& spared) const noexcept {
    std::vector<std::pair<Age, std::filesystem::path>> copies;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder_, error), end; entry != end;
         entry.increment(error)) {
        if (const std::optional<Age> age = ageOf(entry->path());
            age && entry->symlink_status(error).type() == std::filesystem::file_type::regular) {
            copies.emplace_back(*age, entry->path());
        }
    }
    std::sort(copies.begin(), copies.end(), std::greater<>());
    std::vector<std::filesystem::path> oldest;
    for (std::size_t i = kCopiesKept; i < copies.size(); ++i) {
        if (!spares(copies[i].second, spared)) {
            oldest.push_back(copies[i].second.filename());
        }
    }
    removeFromOwnFolder(folder_, oldest);
}

// A clock once ahead dates other copies after this run's, and a file that the run read or wrote may
// have been chosen in the folder, under a copy's name.
bool CopyFolder::spares(const std::filesystem::path& copy,
                        const std::vector<std::filesystem::path>& spared) const noexcept {
    const auto isCopy = [&copy](const std::filesystem::path& file) {
        std::error_code error;
        return std::filesystem::equivalent(file, copy, error);
    };
    return std::any_of(kept_.begin(), kept_.end(), isCopy) ||
           std::any_of(spared.begin(), spared.end(), isCopy);
}

// std::localtime shares its result between callers; the lock keeps two runs apart.
std::string copyStamp(std::chrono::system_clock::time_point time) {
    static std::mutex lock;
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    char text[32] = "0000-00-00 00-00-00";
    const std::lock_guard guard(lock);
    if (const std::tm* local = std::localtime(&seconds)) {
        std::strftime(text, sizeof text, "%Y-%m-%d %H-%M-%S", local);
    }
    return text;
}

} // namespace sintegra
