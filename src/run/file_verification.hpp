#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

#include "errors/error.hpp"
#include "errors/file_errors.hpp"
#include "run/run_request.hpp"
#include "verify/file_shape.hpp"
#include "verify/finding.hpp"

namespace sintegra {

// Reports the bytes read so far as Phase::Verifying; false stops the check.
using VerifyProgress = std::function<bool(const Progress&)>;

// Checks one file against the layout, every check, and puts what it finds in sink; reads the file
// and changes nothing. Returns the number of lines, or none when progress stopped it. Failures
// throw Error naming the file; for a file that has not the shape of a SINTEGRA file (or a line over
// 1 MiB), what sink got is then no report of it.
std::optional<std::uint64_t> verifyFile(const std::filesystem::path& path, verify::FindingSink& sink,
                                        const VerifyProgress& progress = {});

// Reads the file for its shape only, for a sink that cannot take back what it was given: throws as
// verifyFile does.
void requireSintegraShape(const std::filesystem::path& path);

// The Error of a file that is not a SINTEGRA file, for the fault found. The kinds of errors/ know
// nothing of verify's faults: this is where one becomes the other.
Error notSintegra(const std::filesystem::path& path, verify::ShapeFault fault);

} // namespace sintegra
