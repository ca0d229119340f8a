#include "verify/line_feeder.hpp"

namespace sintegra::verify {

void LineFeeder::addBytes(std::string_view bytes) {
    Line& line = window_[lines_ % kLinesAhead];
    if (line.head.size() < kCheckedBytes) {
        line.head.append(bytes.substr(0, kCheckedBytes - line.head.size()));
    }
    line.width += bytes.size();
}

void LineFeeder::endLine() {
    checker_.prefetch(window_[lines_ % kLinesAhead].head);
    if (++lines_ - checked_ == kLinesAhead) {
        checkOldest();
    }
}

void LineFeeder::finish() {
    while (checked_ < lines_) {
        checkOldest();
    }
}

// Its place in the window then takes the next line.
void LineFeeder::checkOldest() {
    Line& line = window_[checked_ % kLinesAhead];
    checker_.line(line.head, ++checked_, line.width);
    line.head.clear();
    line.width = 0;
}

} // namespace sintegra::verify
