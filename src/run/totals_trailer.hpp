#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "layout/record_types.hpp"

namespace sintegra {

// What the totals records begin with, 30 characters: the kept type 90 prefix when it is whole;
// otherwise "90" and the CNPJ and state registration of the kept type 10 line (columns 3 to 30);
// without one, the kept prefix or "90" alone; filled with spaces.
std::string totalsPrefix(std::optional<std::string_view> type90Prefix,
                         std::optional<std::string_view> type10);

// The type 90 records that close the output: the prefix, then a pair of record type code and count
// for every type that has records, then "99" and the number of lines in the file: the staged
// records, the kept lines (types 10 and 11) written and the type 90 records. A record holds at most
// nine pairs; when they need more, further records follow, each with the prefix, and column 126 of
// each holds the number of type 90 records. Records are 126 characters wide.
std::vector<std::string> totalsRecords(std::string_view prefix, const PerStagedType<std::uint64_t>& counts,
                                       std::uint64_t keptLines);

// A count with at least eight digits, zeros in front.
std::string eightDigits(std::uint64_t value);

} // namespace sintegra
