#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "layout/record_columns.hpp"

namespace sintegra {

// The keys that the statements group and order by, computed once per row as it is staged.

// The product key of a type 75 record: its product code, the 14 bytes at columns 19 to 32 (fewer
// when the line ends earlier). A line too short to reach column 19 has no key.
std::optional<std::string_view> productKey(std::string_view registro);

// Where a type 60 record stands in the output: by DATA, compared as bytes, then by Tipo.
struct Type60Order {
    // The date as year, month, day (columns 4 to 11); for a 60R record, which holds month and year
    // at columns 4 to 9, the year, the month and "99", so that it follows the last day of its month.
    std::array<char, kType60DateSize> date{};
    std::size_t dateSize = 0;
    // 60M 1, 60A 2, 60D 3, 60I 4, any other sub-type 5; sub-types ignore the case of ASCII letters.
    int tipo = 5;

    std::string_view dateBytes() const noexcept { return {date.data(), dateSize}; }
    // Bytes compare as unsigned, as SQLite compares BLOBs.
    bool operator<(const Type60Order& other) const noexcept {
        const int dates = dateBytes().compare(other.dateBytes());
        return dates != 0 ? dates < 0 : tipo < other.tipo;
    }
};

Type60Order type60Order(std::string_view registro);

} // namespace sintegra
