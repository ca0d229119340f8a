#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "layout/record_columns.hpp"

namespace sintegra {

// The keys that the statements group and order by, computed once per row as it is staged.

// The product key of a type 75 record: its validity period, the 16 bytes at columns 3 to 18, and
// its product code, the 14 bytes at columns 19 to 32 (fewer when the line ends earlier). A line too
// short to reach column 19 has no key.
struct ProductKey {
    std::string_view period;
    std::string_view code;
};
std::optional<ProductKey> productKey(std::string_view registro);

// Where a type 60 record stands in the output: by DATA, then by the serial number of the
// equipment, then by Tipo, each compared as bytes.
struct Type60Order {
    // The date as year, month, day (columns 4 to 11); for a 60R record, which holds month and year
    // at columns 4 to 9, the year, the month and "99", so that it follows the last day of its month.
    std::array<char, kType60DateSize> date{};
    std::size_t dateSize = 0;
    // 60M 1, 60A 2, 60D 3, 60I 4, any other sub-type 5; sub-types ignore the case of ASCII letters.
    int tipo = 5;

    // What the order compares, as numbers that order bytes as SQLite orders BLOBs: the date's bytes
    // and size; the serial number's 20 bytes (none for 60R) and size; Tipo.
    std::array<std::uint64_t, 4> rank{};

    std::string_view dateBytes() const noexcept { return {date.data(), dateSize}; }
    bool operator<(const Type60Order& other) const noexcept { return rank < other.rank; }
};

Type60Order type60Order(std::string_view registro);

// Up to eight bytes as a big-endian number, zeros after them: such numbers order the bytes as
// unsigned bytes compare, a shorter one first where one is the other's beginning, but for its size.
std::uint64_t bytesRank(std::string_view bytes) noexcept;

} // namespace sintegra
