#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/types.h>

namespace sintegra {

// A regular file opened for reading as raw bytes. Failures throw RunError naming the file.
class InputFile {
public:
    explicit InputFile(std::string path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Reads up to capacity bytes; 0 at the end of the file.
    std::size_t read(char* buffer, std::size_t capacity);

    const std::string& path() const noexcept { return path_; }
    std::uint64_t size() const noexcept { return size_; }
    bool sameFileAs(const InputFile& other) const noexcept;

private:
    std::string path_;
    int fd_ = -1;
    std::uint64_t size_ = 0;
    dev_t device_ = 0;
    ino_t inode_ = 0;
};

} // namespace sintegra
