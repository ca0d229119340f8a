#pragma once

#include <cstdint>
#include <string_view>

#include "layout/fields.hpp"
#include "verify/calendar.hpp"
#include "verify/file_header.hpp"
#include "verify/finding.hpp"

namespace sintegra::verify {

// Checks each field of a record line that the line is long enough to hold: its kind, its rule and
// the values the layout lists. Dates with the InPeriod rule are checked against the header's period,
// when the file has one; CFOPs against the header's UF, as the type 90 record's Inscrição Estadual.
void checkFields(std::string_view line, std::uint64_t number, const RecordLayout& layout,
                 const FileHeader& header, FindingSink& sink);

// A finding about one field of a record line.
Finding fieldFinding(const Check& check, std::uint64_t number, std::string_view record, const Field& field,
                     std::string_view value, std::string detail);

// A day as the user reads it: DD/MM/AAAA.
std::string dayText(Day day);

} // namespace sintegra::verify
