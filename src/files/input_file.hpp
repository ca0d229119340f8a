#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace sintegra {

// A regular file opened for reading as raw bytes. Anything else (a folder, a FIFO, a device) is
// refused at once, without waiting for a writer. Failures throw FileError naming the file.
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
    std::uint64_t size() const noexcept { return size_; }
    // Whether both name one file, whatever the paths: links, another spelling of the folder.
    bool sameFileAs(const InputFile& other) const noexcept {
        return volume_ == other.volume_ && index_ == other.index_;
    }

private:
    std::filesystem::path path_;
    std::intptr_t handle_ = -1; // the system's: a file descriptor, or a HANDLE
    std::uint64_t size_ = 0;
    std::uint64_t volume_ = 0; // the device, or the volume's serial number
    std::uint64_t index_ = 0;  // the inode, or the file index
};

} // namespace sintegra
