#pragma once

#include <cstddef>

namespace sintegra {

// Cleans bytes of the first input file in place: NUL and comma become spaces and the end-of-file
// mark Ctrl-Z (26) is removed wherever it stands. Returns the new length.
std::size_t cleanBytes(char* data, std::size_t size) noexcept;

} // namespace sintegra
