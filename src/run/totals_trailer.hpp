#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "layout/record_types.hpp"

namespace sintegra {

// The type 90 records that close the output: the kept prefix, then a pair of record type code and
// count for every type that has records, then "99" and the number of lines in the file. A record
// holds at most nine pairs; when they need more, further records follow, each with the prefix, and
// column 126 of each holds the number of type 90 records. Records are 126 characters wide.
std::vector<std::string> totalsRecords(std::string_view prefix, const PerStagedType<std::uint64_t>& counts);

// A count with at least eight digits, zeros in front.
std::string eightDigits(std::uint64_t value);

} // namespace sintegra
