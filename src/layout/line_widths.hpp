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
    std::string_view code; // the record type code and the sub-record's characters
    std::size_t width;
    FlagRule rule;
    bool fitted; // false: a record of its own whose code begins like a fitted one, kept as read
};

// Minas Gerais' 88STITNF, RICMS/MG Anexo VII item 25E.
inline constexpr std::size_t k88StitnfWidth = 237;

// The longest code below: a type 88 line is known once this many bytes of it are.
inline constexpr std::size_t kSubRecordCodeSize = 8;

// The type 88 sub-records whose width is known, found by the first code that the line begins with;
// every other one is kept as read. Of Minas Gerais' sub-records (RICMS/MG Anexo VII items 24 to
// 25G), 88SME, 88SMS, 88EAN and 88DV match none and stay as read.
inline constexpr std::array<SubRecord88, 7> kSubRecords88 = {{
    {"88SP02", 157, FlagRule::None, true},
    {"88SP03", 144, FlagRule::A, true},
    // Item 25E: entries under tax substitution, with values at columns 131 and 144, not flags.
    {"88STITNF", k88StitnfWidth, FlagRule::None, false},
    {"88STIT", 144, FlagRule::A, true},
    {"88SP04", 147, FlagRule::B, true},
    {"88SP05", 126, FlagRule::None, true},
    // Item 25D: stock under tax substitution.
    {"88STES", 126, FlagRule::None, true},
}};

// The state code of a type 88 sub-record, columns 43 and 44 (counted from 1).
inline constexpr std::size_t kState88Column = 43;
// The flag columns of each rule.
inline constexpr std::array<std::size_t, 2> kFlagColumnsA = {131, 144};
inline constexpr std::array<std::size_t, 1> kFlagColumnsB = {147};

} // namespace sintegra
