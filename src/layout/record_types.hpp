#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

// The record types of a SINTEGRA file that the program knows, by their two-character code.
namespace sintegra {

inline constexpr std::string_view kCode10 = "10";
inline constexpr std::string_view kCode11 = "11";
inline constexpr std::string_view kCode90 = "90";

// The record types staged in tables of their own, in the order the output lists them.
// The table of a staged type is "REG" followed by its code.
inline constexpr std::array<std::string_view, 10> kStagedCodes = {"50", "53", "54", "55", "60",
                                                                  "61", "70", "74", "75", "88"};
inline constexpr std::size_t kStagedTypeCount = kStagedCodes.size();

// Index of a staged type in kStagedCodes.
using StagedType = std::size_t;

template <class T>
using PerStagedType = std::array<T, kStagedTypeCount>;

// The staged type of a record type code, compared exactly.
constexpr std::optional<StagedType> stagedTypeOf(std::string_view code) {
    for (StagedType type = 0; type < kStagedTypeCount; ++type) {
        if (kStagedCodes[type] == code) {
            return type;
        }
    }
    return std::nullopt;
}

inline constexpr StagedType kType60 = *stagedTypeOf("60");
inline constexpr StagedType kType75 = *stagedTypeOf("75");

// Whether a record type code is one the program handles: kept, staged or rebuilt.
constexpr bool isHandledCode(std::string_view code) {
    return code == kCode10 || code == kCode11 || code == kCode90 || stagedTypeOf(code).has_value();
}

} // namespace sintegra
