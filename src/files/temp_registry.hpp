#pragma once

#include <filesystem>

namespace sintegra {

// Keeps track of the temporary files written beside user files, so that a later start can remove
// the ones that a killed run left behind.
class TempRegistry {
public:
    virtual ~TempRegistry() = default;
    virtual void added(const std::filesystem::path& path) noexcept = 0;
    virtual void removed(const std::filesystem::path& path) noexcept = 0;
};

} // namespace sintegra
