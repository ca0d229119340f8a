#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

#include "run/run_host.hpp"
#include "verify/finding.hpp"

namespace sintegra {

// Reports the bytes read so far as Phase::Verifying; false stops the check.
using VerifyProgress = std::function<bool(const Progress&)>;

// Checks one file against the layout, every check, and puts what it finds in sink; reads the file
// and changes nothing. Returns the number of lines, or none when progress stopped it. Failures
// throw FileError naming the file.
std::optional<std::uint64_t> verifyFile(const std::filesystem::path& path, verify::FindingSink& sink,
                                        const VerifyProgress& progress = {});

} // namespace sintegra
