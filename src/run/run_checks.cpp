#include "run/run_checks.hpp"

#include "run/record_dispatch.hpp"
#include "verify/join_checks.hpp"

namespace sintegra {

// Fitting removes the spaces a line starts with and pads or cuts it to its width. Noted are the
// lines it changed that the output keeps: a dropped line is noted as such.
void InputCheck::endLine(std::string_view kept) {
    const std::string_view head = check_.lineHead();
    const std::size_t width = check_.lineWidth();
    const bool shifted = head.starts_with(' ') && !kept.starts_with(' ');
    if ((width != kept.size() || shifted) && dispatchOf(kept).destination != Destination::Dropped) {
        if (fittedLines_++ < kLinesNamed) {
            const std::size_t spaces = shifted ? std::min(head.find_first_not_of(' '), head.size()) : 0;
            fitted_.push_back({check_.lines() + 1, width, spaces, kept.size()});
        }
    }
    endLine();
}

void checkJoined(const verify::FileHeader& first, const verify::FileHeader& second, verify::Report& output) {
    verify::FileHeader joined = second;
    joined.line = joined.line == 0 ? 0 : 1;
    verify::checkJoin(first, joined, output);
}

} // namespace sintegra
