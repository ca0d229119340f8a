#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "layout/line_widths.hpp"

namespace sintegra {

// What fitting a line did besides padding and cutting it.
struct Fitting {
    std::size_t leadingBlanks = 0; // spaces and Tabs before its code, removed
    std::size_t convertedAway = 0; // bytes fewer once its UTF-8 text was written as Windows-1252
};

// Builds the normalized form of one line of the first input file from its bytes as they arrive.
// The spaces and Tabs before a line's code are removed, and its kind is told by what follows them.
// Lines are fitted to the width of their kind (padded with spaces, cut), and the flags of some type
// 88 sub-records are set by the state code; type 88 lines of other sub-records, 88STITNF among
// them, are kept as read. A fitted line that is too wide only because of UTF-8 text, as an editor
// writes it, has that text written as Windows-1252 rather than lose its last field. A fitted line
// is never held beyond three times its width, the most that such text takes.
class LineFitter {
public:
    // Throws LineTooLong when a line kept as read grows past kMaxHeldLine.
    void addBytes(std::string_view bytes);
    // The normalized line; valid until the next addBytes(). The fitter is then ready for a new line.
    std::string_view finish();
    // Of the line that finish() gave.
    const Fitting& fitting() const { return fitting_; }

private:
    enum class Kind { Undecided, Fitted, Verbatim };

    void startLineIfFinished();
    void decide(bool lineComplete);
    void take(std::string_view bytes);
    void convertUtf8();

    Kind kind_ = Kind::Undecided;
    std::size_t width_ = 0;
    FlagRule rule_ = FlagRule::None;
    std::string head_; // the first bytes, until they tell the kind
    std::string line_;
    Fitting fitting_;
    bool overflowed_ = false; // more than any UTF-8 text could bring down to the width
    bool finished_ = false;
};

// The normalized form of a whole line.
std::string normalizeLine(std::string_view line);

} // namespace sintegra
