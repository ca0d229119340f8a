#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>

namespace sintegra {

// What tells that a file is still the one that was read: which file it is, its size and the time of
// its last write.
struct FileStamp {
    std::uint64_t volume = 0; // the device, or the volume's serial number
    std::uint64_t index = 0;  // the inode, or the file index
    std::uint64_t size = 0;
    std::uint64_t written = 0; // in the system's units
    bool operator==(const FileStamp&) const = default;
};

// The stamp of the file that path names now, links followed; none when there is no such file.
// Per system, in input_file_<system>.cpp.
std::optional<FileStamp> stampOf(const std::filesystem::path& path) noexcept;

// A regular file opened for reading as raw bytes. Anything else (a folder, a FIFO, a device) is
// refused at once, without waiting for a writer. Failures throw Error naming the file.
class InputFile {
public:
    explicit InputFile(std::filesystem::path path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Reads up to capacity bytes; 0 at the end of the file.
    std::size_t read(char* buffer, std::size_t capacity);
    // Lets the file go before it is replaced: Windows replaces no file that a program holds open.
    // What was learnt of it stays.
    void close() noexcept;

    const std::filesystem::path& path() const noexcept { return path_; }
    std::uint64_t size() const noexcept { return stamp_.size; }
    // As the file was when it was opened.
    const FileStamp& stamp() const noexcept { return stamp_; }
    // Who may read and write it; all on Windows, where its folder's ACL decides.
    std::filesystem::perms permissions() const noexcept { return permissions_; }
    // Whether both name one file, whatever the paths: links, another spelling of the folder.
    bool sameFileAs(const InputFile& other) const noexcept {
        return stamp_.volume == other.stamp_.volume && stamp_.index == other.stamp_.index;
    }

private:
    std::filesystem::path path_;
    std::intptr_t handle_ = -1; // the system's: a file descriptor, or a HANDLE
    FileStamp stamp_;
    std::filesystem::perms permissions_ = std::filesystem::perms::all;
};

} // namespace sintegra
