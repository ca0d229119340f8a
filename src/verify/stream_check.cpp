#include "verify/stream_check.hpp"

namespace sintegra::verify {

StreamCheck::StreamCheck()
    : shape_(std::in_place) {}

StreamCheck::StreamCheck(FindingSink& sink, Scope scope, std::size_t relationsLimit, ShapeCheck shape)
    : sink_(&sink)
    , checker_(std::in_place, sink, scope, relationsLimit) {
    if (shape == ShapeCheck::Judged) {
        shape_.emplace();
    }
}

// Here, where the splitter meets the lines it feeds: a chunk's lines cost no call each. A chunk
// without Ctrl-Z, as nearly all are, costs one search for it.
void StreamCheck::feed(std::string_view bytes) {
    for (std::size_t mark = bytes.find('\x1a'); mark != std::string_view::npos; mark = bytes.find('\x1a')) {
        splitter_.feed(bytes.substr(0, mark), *this);
        if (checker_) {
            ctrlZ_.mark(lines_ + 1, width_);
        }
        bytes.remove_prefix(mark + 1);
    }
    splitter_.feed(bytes, *this);
}

void StreamCheck::finish() {
    splitter_.finish(*this);
    if (shape_) {
        shape_->finish();
    }
    if (checker_) {
        ctrlZ_.finish(lines_, *sink_);
        checker_->finish();
    }
}

void StreamCheck::addBytes(std::string_view bytes) {
    if (shape_) {
        shape_->addBytes(bytes);
    }
    if (checker_) {
        if (head_.size() < kCheckedBytes) {
            head_.append(bytes.substr(0, kCheckedBytes - head_.size()));
        }
        width_ += bytes.size();
    }
}

void StreamCheck::endLine() {
    ++lines_;
    if (shape_) {
        shape_->endLine();
    }
    if (checker_) {
        checker_->line(head_, lines_, width_);
        head_.clear();
        width_ = 0;
    }
}

} // namespace sintegra::verify
