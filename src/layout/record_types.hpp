#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "layout/digits.hpp"

// The record types of a SINTEGRA file that the program knows, by their two-character code.
namespace sintegra {

// A record type's code is its first two characters; some types have sub-types after it.
inline constexpr std::size_t kCodeSize = 2;

inline constexpr std::string_view kCode10 = "10";
inline constexpr std::string_view kCode11 = "11";
inline constexpr std::string_view kCode50 = "50";
inline constexpr std::string_view kCode51 = "51";
inline constexpr std::string_view kCode53 = "53";
inline constexpr std::string_view kCode54 = "54";
inline constexpr std::string_view kCode60 = "60";
inline constexpr std::string_view kCode60M = "60M";
inline constexpr std::string_view kCode75 = "75";
inline constexpr std::string_view kCode88 = "88";
inline constexpr std::string_view kCode90 = "90";

// A two-digit code as a number, for tables indexed by type: "54" is 54.
constexpr int codeNumber(std::string_view code) {
    return (code[0] - '0') * 10 + (code[1] - '0');
}

// The record types staged in tables of their own: every type of the layout but 10, 11 and 90, in
// the order the output lists them, ascending by type (Manual de Orientação item 8.1, as the Guia
// Prático MA gives it: "de forma crescente, por tipo (posições 1 e 2)").
// The table of a staged type is "REG" followed by its code.
inline constexpr std::array<std::string_view, 18> kStagedCodes = {
    kCode50, kCode51, kCode53, kCode54, "55", "56", "57", kCode60, "61",
    "70",    "71",    "74",    kCode75, "76", "77", "85", "86",    kCode88};
inline constexpr std::size_t kStagedTypeCount = kStagedCodes.size();

// Index of a staged type in kStagedCodes.
using StagedType = std::size_t;

template <class T>
using PerStagedType = std::array<T, kStagedTypeCount>;

namespace detail {
// The staged type of each two-digit code, by codeNumber(); kStagedTypeCount for none.
inline constexpr std::array<StagedType, 100> kStagedTypeByNumber = [] {
    std::array<StagedType, 100> table{};
    table.fill(kStagedTypeCount);
    for (StagedType type = 0; type < kStagedTypeCount; ++type) {
        table[static_cast<std::size_t>(codeNumber(kStagedCodes[type]))] = type;
    }
    return table;
}();
} // namespace detail

// The staged type of a record type code, compared exactly. Every staged line asks: a table, not a
// search.
constexpr std::optional<StagedType> stagedTypeOf(std::string_view code) {
    if (code.size() != kCodeSize || !isDigit(code[0]) || !isDigit(code[1])) {
        return std::nullopt;
    }
    const StagedType type = detail::kStagedTypeByNumber[static_cast<std::size_t>(codeNumber(code))];
    return type == kStagedTypeCount ? std::nullopt : std::optional(type);
}

inline constexpr StagedType kType60 = *stagedTypeOf(kCode60);
inline constexpr StagedType kType75 = *stagedTypeOf(kCode75);

// Whether a record type code is one the program handles: kept, staged or rebuilt.
constexpr bool isHandledCode(std::string_view code) {
    return code == kCode10 || code == kCode11 || code == kCode90 || stagedTypeOf(code).has_value();
}

} // namespace sintegra
