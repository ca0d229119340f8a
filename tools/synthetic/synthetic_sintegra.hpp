#pragma once

#include <cstdint>
#include <string>

namespace sintegra::synthetic {

// Writes a SINTEGRA file of the given number of record lines, 126 characters each and ended by
// CR LF, with a realistic mix of types: mostly 54, 60D, 60I and 75, some 50, 60M, 60A, 60R, 61,
// 70, 74 and 88, type 75 product codes repeated. The same seed gives the same file.
void writeSyntheticSintegra(const std::string& path, std::uint64_t lines, std::uint32_t seed = 1);

} // namespace sintegra::synthetic
