#pragma once

#include <cstddef>

#include "verify/file_shape.hpp"

namespace sintegra {

// The longest line the run holds whole (a record kept as read, a line of the second file): no
// longer than a line may be at all.
inline constexpr std::size_t kMaxHeldLine = verify::kMaxLineSize;

// Thrown when a line that must be held whole is longer than kMaxHeldLine.
using LineTooLong = verify::LineTooLong;

} // namespace sintegra
