#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace sintegra {

// The record types staged in tables of their own, in the order the output lists them.
// The table of a staged type is "REG" followed by its code.
inline constexpr std::array<std::string_view, 10> kStagedCodes = {"50", "53", "54", "55", "60",
                                                                  "61", "70", "74", "75", "88"};
inline constexpr std::size_t kStagedTypeCount = kStagedCodes.size();

// Index of a staged type in kStagedCodes.
using StagedType = std::size_t;

inline constexpr StagedType kType60 = 4;
inline constexpr StagedType kType75 = 8;

template <class T>
using PerStagedType = std::array<T, kStagedTypeCount>;

} // namespace sintegra
