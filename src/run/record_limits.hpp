#pragma once

#include <cstddef>

namespace sintegra {

// The longest line the run holds whole (a record kept as read, a line of the second file): the
// largest value that the staging store takes.
inline constexpr std::size_t kMaxHeldLine = 1'000'000'000;

// Thrown when a line that must be held whole is longer than kMaxHeldLine.
struct LineTooLong {};

} // namespace sintegra
