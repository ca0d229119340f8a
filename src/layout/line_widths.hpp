#pragma once

#include <array>
#include <cstddef>
#include <string_view>

// How wide each kind of record line is, and the type 88 sub-records whose flags depend on the state.
namespace sintegra {

// The width of a SINTEGRA record line.
inline constexpr std::size_t kRecordWidth = 126;

// Which flag columns of a type 88 sub-record follow the state code.
enum class FlagRule { None, A, B };

struct SubRecord88 {
    std::string_view code; // the record type code and the sub-record's four characters
    std::size_t width;
    FlagRule rule;
};

inline constexpr std::size_t kSubRecordCodeSize = 6;

// The type 88 sub-records whose width is known; every other one is kept as read.
inline constexpr std::array<SubRecord88, 6> kSubRecords88 = {{
    {"88SP02", 157, FlagRule::None},
    {"88SP03", 144, FlagRule::A},
    {"88STIT", 144, FlagRule::A},
    {"88SP04", 147, FlagRule::B},
    {"88SP05", 126, FlagRule::None},
    {"88STES", 126, FlagRule::None},
}};

// The state code of a type 88 sub-record, columns 43 and 44 (counted from 1).
inline constexpr std::size_t kState88Column = 43;
// The flag columns of each rule.
inline constexpr std::array<std::size_t, 2> kFlagColumnsA = {131, 144};
inline constexpr std::array<std::size_t, 1> kFlagColumnsB = {147};

} // namespace sintegra
