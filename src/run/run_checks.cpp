#include "run/run_checks.hpp"

#include "run/record_dispatch.hpp"
#include "verify/join_checks.hpp"

namespace sintegra {

// Fitting removes the blanks a line starts with, converts its UTF-8 text and pads or cuts it to its
// width. Noted are the lines it changed that the output keeps: a dropped line is noted as such.
void InputCheck::endLine(std::string_view kept, const Fitting& fitting) {
    const std::size_t width = check_.lineWidth();
    const bool changed = width != kept.size() || fitting.leadingBlanks > 0 || fitting.convertedAway > 0;
    if (changed && dispatchOf(kept).destination != Destination::Dropped) {
        if (fittedLines_++ < kLinesNamed) {
            fitted_.push_back(
                {check_.lines() + 1, width, fitting.leadingBlanks, fitting.convertedAway, kept.size()});
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
