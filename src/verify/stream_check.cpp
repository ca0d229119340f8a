#include "verify/stream_check.hpp"

namespace sintegra::verify {

StreamCheck::StreamCheck()
    : shape_(std::in_place) {}

StreamCheck::StreamCheck(FindingSink& sink, Scope scope, std::size_t relationsLimit, ShapeCheck shape)
    : sink_(&sink)
    , checker_(std::in_place, sink, scope, relationsLimit)
    , feeder_(std::in_place, *checker_) {
    if (shape == ShapeCheck::Judged) {
        shape_.emplace();
    }
}

// Here, where the splitter meets the lines it feeds: a chunk's lines cost no call each. A chunk
// without Ctrl-Z, as nearly all are, costs one search for it.
void StreamCheck::feed(std::string_view bytes) {
    for (std::size_t mark = bytes.find('\x1a'); mark != std::string_view::npos; mark = bytes.find('\x1a')) {
        splitter_.feed(bytes.substr(0, mark));
        if (feeder_) {
            ctrlZ_.mark(feeder_->lines() + 1, feeder_->width());
        }
        bytes.remove_prefix(mark + 1);
    }
    splitter_.feed(bytes);
}

void StreamCheck::finish() {
    splitter_.finish();
    if (shape_) {
        shape_->finish();
    }
    if (checker_) {
        ctrlZ_.finish(feeder_->lines(), *sink_);
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
