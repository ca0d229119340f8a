#pragma once

#include <cstddef>
#include <string_view>

#include "layout/fields.hpp"

namespace sintegra::verify {

// What the layout says a record line is.
struct RecordKind {
    std::string_view type;      // the first two characters
    int number;                 // the type as a number; -1 when its characters are not two digits
    std::string_view label;     // type and sub-type, as findings name the record: "60D", "88SP02"
    const RecordLayout* layout; // nullptr when the layout describes no fields for it
    std::size_t width;          // 0 when the layout gives no width
    bool known;                 // a record type of the layout, though perhaps a sub-record it lacks
};

RecordKind classify(std::string_view line);

} // namespace sintegra::verify
