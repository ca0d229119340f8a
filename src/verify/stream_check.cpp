#include "verify/stream_check.hpp"

namespace sintegra::verify {

StreamCheck::StreamCheck()
    : shape_(std::in_place) {}

StreamCheck::StreamCheck(FindingSink& sink, Scope scope, std::size_t relationsLimit, ShapeCheck shape)
    : checker_(std::in_place, sink, scope, relationsLimit)
    , feeder_(std::in_place, *checker_) {
    if (shape == ShapeCheck::Judged) {
        shape_.emplace();
    }
}

// Here, where the splitter meets the lines it feeds: a chunk's lines cost no call each.
void StreamCheck::feed(std::string_view bytes) {
    splitter_.feed(bytes);
}

void StreamCheck::finish() {
    splitter_.finish();
    if (shape_) {
        shape_->finish();
    }
    if (checker_) {
        checker_->finish();
    }
}

void StreamCheck::Lines::addBytes(std::string_view bytes) {
    if (check.shape_) {
        check.shape_->addBytes(bytes);
    }
    if (check.feeder_) {
        check.feeder_->addBytes(bytes);
    }
}

void StreamCheck::Lines::endLine() {
    if (check.shape_) {
        check.shape_->endLine();
    }
    if (check.feeder_) {
        check.feeder_->endLine();
    }
}

} // namespace sintegra::verify
