#pragma once

#include <filesystem>

namespace sintegra {

// Gives file the second name link, when nothing but the run can change its bytes until it replaces
// it: the file has no other name and, on Windows, no program holds it open (the name of a held file
// could not be taken back, should the replace fail). False when it did not: the caller copies.
bool addSoleLink(const std::filesystem::path& file, const std::filesystem::path& link) noexcept;

} // namespace sintegra
