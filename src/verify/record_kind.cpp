#include "verify/record_kind.hpp"

#include <algorithm>

#include "layout/digits.hpp"
#include "layout/line_widths.hpp"
#include "layout/record_types.hpp"

namespace sintegra::verify {

namespace {

int numberOf(std::string_view type) {
    return type.size() == kCodeSize && allDigits(type) ? codeNumber(type) : -1;
}

} // namespace

RecordKind classify(std::string_view line) {
    const std::string_view type = line.substr(0, kCodeSize);
    const int number = numberOf(type);
    if (const RecordLayout* layout = recordLayoutOf(line)) {
        return {type, number, layout->code, layout, layout->width, true};
    }
    if (type != kCode88) {
        return {type, number, type, nullptr, 0, false};
    }
    // Sub-records that some states add: their width is known, their fields are not.
    const auto sub = std::find_if(kSubRecords88.begin(), kSubRecords88.end(),
                                  [line](const SubRecord88& s) { return line.starts_with(s.code); });
    return sub == kSubRecords88.end() ? RecordKind{type, number, type, nullptr, 0, true}
                                      : RecordKind{type, number, sub->code, nullptr, sub->width, true};
}

} // namespace sintegra::verify
