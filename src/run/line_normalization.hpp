#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "layout/line_widths.hpp"

namespace sintegra {

// Builds the normalized form of one line of the first input file from its bytes as they arrive.
// Lines are fitted to the width of their kind (leading and trailing spaces removed, padded with
// spaces, cut), and the flags of some type 88 sub-records are set by the state code; type 88 lines
// of other sub-records, 88STITNF among them, are kept exactly as read. A fitted line is never held
// beyond its width.
class LineFitter {
public:
    // Throws LineTooLong when a line kept as read grows past kMaxHeldLine.
    void addBytes(std::string_view bytes);
    // The normalized line; valid until the next addBytes(). The fitter is then ready for a new line.
    std::string_view finish();

private:
    enum class Kind { Undecided, Fitted, Verbatim };

    void startLineIfFinished();
    void decide(bool lineComplete);
    void take(std::string_view bytes);

    Kind kind_ = Kind::Undecided;
    std::size_t width_ = 0;
    FlagRule rule_ = FlagRule::None;
    std::string head_; // the first bytes, until they tell the kind
    std::string line_;
    bool finished_ = false;
};

// The normalized form of a whole line.
std::string normalizeLine(std::string_view line);

} // namespace sintegra
