#include "verify/record_kind.hpp"

#include <algorithm>

#include "layout/line_widths.hpp"

namespace sintegra::verify {

RecordKind classify(std::string_view line) {
    const std::string_view type = line.substr(0, 2);
    if (const RecordLayout* layout = recordLayoutOf(line)) {
        return {type, layout->code, layout, layout->width, true};
    }
    if (type != "88") {
        return {type, type, nullptr, 0, false};
    }
    // Sub-records that some states add: their width is known, their fields are not.
    const auto sub = std::find_if(kSubRecords88.begin(), kSubRecords88.end(),
                                  [line](const SubRecord88& s) { return line.starts_with(s.code); });
    return sub == kSubRecords88.end() ? RecordKind{type, type, nullptr, 0, true}
                                      : RecordKind{type, sub->code, nullptr, sub->width, true};
}

} // namespace sintegra::verify
