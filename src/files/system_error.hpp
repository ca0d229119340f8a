#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

namespace sintegra {

// A file or folder that the system refused us. The message is for the user: what failed, on which
// path and why, in Portuguese.
class FileError : public std::runtime_error {
public:
    FileError(std::string message, std::filesystem::path path, std::error_code cause = {});
    const std::filesystem::path& path() const noexcept { return path_; }
    const std::error_code& cause() const noexcept { return cause_; }

    // False when a user file had been replaced already and could not be given its old bytes back.
    bool filesUnchanged() const noexcept { return filesUnchanged_; }
    // The same failure after such a replacement; note, added to the message, says which file.
    FileError afterChanges(std::string_view note) const;

private:
    std::filesystem::path path_;
    std::error_code cause_;
    bool filesUnchanged_ = true;
};

enum class FileStep { Open, Read, Create, Write, Replace, CreateFolder };

// "Não foi possível <step> "<path>": <cause>."
FileError fileError(FileStep step, const std::filesystem::path& path, std::error_code cause);
// "Não foi possível abrir o arquivo "<path>": não é um arquivo comum." A link where the program keeps
// its own files, a FIFO or a device.
FileError notRegularFile(const std::filesystem::path& path);

// The user's words for a system error: errno on POSIX, GetLastError() on Windows, or a std::errc.
std::string systemCause(std::error_code cause);

// A path as the user reads it and as lists hold it: UTF-8 (on POSIX, its bytes as they are).
std::string pathText(const std::filesystem::path& path);
std::filesystem::path pathFromText(std::string_view text);

} // namespace sintegra
