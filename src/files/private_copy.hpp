#pragma once

#include <filesystem>
#include <system_error>

namespace sintegra {

// Copies from to the new file to, which is this user's alone (0600; on Windows it inherits the ACL of
// its folder). Fails when anything has the name to, a link included, which is never followed. Per
// system, in private_copy_<system>.cpp.
std::error_code copyToPrivateFile(const std::filesystem::path& from,
                                  const std::filesystem::path& to) noexcept;

} // namespace sintegra
