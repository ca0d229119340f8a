#include "run/record_dispatch.hpp"

#include "run/record_limits.hpp"
#include "staging/staging_store.hpp"

namespace sintegra {

Dispatch dispatchOf(std::string_view line) {
    const std::string_view code = line.substr(0, kCodeSize);
    if (code == kCode10) {
        return {Destination::Kept10};
    }
    if (code == kCode11) {
        return {Destination::Kept11};
    }
    if (const auto type = stagedTypeOf(code)) {
        return {Destination::Staged, *type};
    }
    if (code == kCode90) {
        return {Destination::Kept90};
    }
    return {Destination::Dropped};
}

void KeptLines::overlay(const KeptLines& later) {
    for (auto [mine, theirs] : {std::pair{&type10, &later.type10}, std::pair{&type11, &later.type11},
                                std::pair{&type90Prefix, &later.type90Prefix}}) {
        if (theirs->has_value()) {
            *mine = *theirs;
        }
    }
}

StagingLoad::StagingLoad(StagingStore& store)
    : store_(store) {}

void StagingLoad::accept(std::string_view line) {
    ++lines_;
    const Dispatch dispatch = dispatchOf(line);
    switch (dispatch.destination) {
    case Destination::Kept10:
        kept_.type10 = line;
        break;
    case Destination::Kept11:
        kept_.type11 = line;
        break;
    case Destination::Kept90:
        kept_.type90Prefix = line.substr(0, kType90PrefixSize);
        break;
    case Destination::Staged:
        store_.stage(dispatch.type, line);
        ++staged_;
        break;
    case Destination::Dropped:
        drop(line);
        break;
    }
}

void StagingLoad::drop(std::string_view line) {
    DroppedLines& dropped = dropped_[std::string(line.substr(0, kCodeSize))];
    if (dropped.count++ < kLinesNamed) {
        dropped.first.push_back(lines_);
    }
    ++droppedCount_;
}

namespace {

std::size_t heldSize(Destination destination) {
    switch (destination) {
    case Destination::Dropped:
        return kCodeSize;
    case Destination::Kept90:
        return kType90PrefixSize;
    default:
        return kMaxHeldLine;
    }
}

} // namespace

void RawLineCollector::addBytes(std::string_view bytes) {
    if (finished_) {
        finished_ = false;
        decided_ = false;
        keep_ = kCodeSize;
        blanks_ = false;
        line_.clear();
    }
    if (line_.empty()) {
        const std::size_t code = std::min(bytes.find_first_not_of(" \t"), bytes.size());
        blanks_ = blanks_ || code > 0;
        bytes.remove_prefix(code);
    }
    while (!bytes.empty()) {
        const std::size_t room = keep_ - std::min(keep_, line_.size());
        if (room == 0) {
            if (keep_ == kMaxHeldLine) {
                throw LineTooLong{};
            }
            return;
        }
        const std::size_t taken = std::min(room, bytes.size());
        line_.append(bytes.substr(0, taken));
        bytes.remove_prefix(taken);
        if (!decided_ && line_.size() == kCodeSize) {
            decided_ = true;
            keep_ = heldSize(dispatchOf(line_).destination);
        }
    }
}

std::string_view RawLineCollector::finish() {
    if (finished_) {
        line_.clear();
        blanks_ = false;
    }
    finished_ = true;
    return line_;
}

} // namespace sintegra
