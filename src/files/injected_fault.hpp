#pragma once

#include <filesystem>
#include <system_error>

namespace sintegra {

enum class FileOperation { Write, Flush, Replace };

// A test seam in the file-system layer. While one lives, the operation fails with error, as the
// system would fail it, on every file written to replace target, or on every file written in target
// when it names a folder. One at a time.
class InjectedFault {
public:
    InjectedFault(FileOperation operation, std::filesystem::path target, std::error_code error);
    ~InjectedFault();
    InjectedFault(const InjectedFault&) = delete;
    InjectedFault& operator=(const InjectedFault&) = delete;

    // For the layer: the error to fail this operation with, or none.
    static std::error_code check(FileOperation operation, const std::filesystem::path& target) noexcept;

private:
    FileOperation operation_;
    std::filesystem::path target_;
    std::error_code error_;
};

} // namespace sintegra
