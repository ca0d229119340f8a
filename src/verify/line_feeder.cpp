#include "verify/line_feeder.hpp"

namespace sintegra::verify {

void LineFeeder::endLine() {
    checker_.line(head_, ++lines_, width_);
    head_.clear();
    width_ = 0;
}

} // namespace sintegra::verify
