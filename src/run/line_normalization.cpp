#include "run/line_normalization.hpp"

#include <algorithm>
#include <optional>

#include "layout/ascii_case.hpp"
#include "layout/record_types.hpp"
#include "run/record_limits.hpp"
#include "run/windows_1252.hpp"

namespace sintegra {
namespace {

// Minas Gerais wants the flags 0; elsewhere a 0 becomes 2.
void applyFlagRule(std::string& line, FlagRule rule) {
    const char* state = &line[kState88Column - 1];
    const bool minasGerais = upperAscii(state[0]) == 'M' && upperAscii(state[1]) == 'G';
    const auto repair = [&](std::size_t column) {
        char& flag = line[column - 1];
        if (minasGerais) {
            flag = '0';
        } else if (flag == '0') {
            flag = '2';
        }
    };
    if (rule == FlagRule::A) {
        std::ranges::for_each(kFlagColumnsA, repair);
    } else if (rule == FlagRule::B) {
        std::ranges::for_each(kFlagColumnsB, repair);
    }
}

// A character of Windows-1252 takes at most three bytes in UTF-8.
constexpr std::size_t kMostUtf8Bytes = 3;

std::size_t blanksAhead(std::string_view bytes) {
    std::size_t blanks = 0;
    while (blanks < bytes.size() && (bytes[blanks] == ' ' || bytes[blanks] == '\t')) {
        ++blanks;
    }
    return blanks;
}

} // namespace

void LineFitter::addBytes(std::string_view bytes) {
    startLineIfFinished();
    if (kind_ == Kind::Undecided) {
        if (head_.empty()) {
            const std::size_t blanks = blanksAhead(bytes);
            fitting_.leadingBlanks += blanks;
            bytes.remove_prefix(blanks);
        }
        const std::size_t wanted = kSubRecordCodeSize - head_.size();
        head_.append(bytes.substr(0, wanted));
        bytes.remove_prefix(std::min(wanted, bytes.size()));
        decide(false);
        if (kind_ == Kind::Undecided) {
            return;
        }
    }
    take(bytes);
}

// The kind is known from the first two bytes after the blanks unless they are "88"; then from the code of the
// sub-record, which the first kSubRecordCodeSize bytes hold, or the whole line when it is shorter.
void LineFitter::decide(bool lineComplete) {
    const bool type88 = head_.starts_with(kCode88);
    if (head_.size() >= kCodeSize && !type88) {
        kind_ = Kind::Fitted;
        width_ = kRecordWidth;
    } else if (type88 && (head_.size() >= kSubRecordCodeSize || lineComplete)) {
        const auto sub = std::ranges::find_if(
            kSubRecords88, [this](const SubRecord88& known) { return head_.starts_with(known.code); });
        const bool fitted = sub != kSubRecords88.end() && sub->fitted;
        kind_ = fitted ? Kind::Fitted : Kind::Verbatim;
        width_ = fitted ? sub->width : 0;
        rule_ = fitted ? sub->rule : FlagRule::None;
    } else if (lineComplete) {
        kind_ = Kind::Fitted;
        width_ = kRecordWidth;
    } else {
        return;
    }
    std::string head;
    head.swap(head_);
    take(head);
}

void LineFitter::take(std::string_view bytes) {
    if (kind_ == Kind::Verbatim) {
        if (line_.size() + bytes.size() > kMaxHeldLine) {
            throw LineTooLong{};
        }
        line_.append(bytes);
        return;
    }
    const std::size_t held = width_ * kMostUtf8Bytes;
    const std::size_t room = held - std::min(held, line_.size());
    line_.append(bytes.substr(0, room));
    overflowed_ = overflowed_ || (bytes.size() > room && bytes.find_first_not_of(' ', room) != bytes.npos);
}

// Only a line too wide is looked at: its trailing spaces would be cut anyway.
void LineFitter::convertUtf8() {
    const std::string_view text = std::string_view(line_).substr(0, line_.find_last_not_of(' ') + 1);
    if (overflowed_ || text.size() <= width_) {
        return;
    }
    if (std::optional<std::string> converted = windows1252FromUtf8(text);
        converted && converted->size() <= width_) {
        fitting_.convertedAway = text.size() - converted->size();
        line_ = std::move(*converted);
    }
}

void LineFitter::startLineIfFinished() {
    if (finished_) {
        finished_ = false;
        kind_ = Kind::Undecided;
        rule_ = FlagRule::None;
        line_.clear();
        fitting_ = {};
        overflowed_ = false;
    }
}

std::string_view LineFitter::finish() {
    startLineIfFinished();
    if (kind_ == Kind::Undecided) {
        if (head_.empty()) {
            fitting_.leadingBlanks = 0; // a blank line has no code that they stood before
        }
        decide(true);
    }
    if (kind_ == Kind::Fitted) {
        if (line_.size() > width_) {
            convertUtf8();
        }
        // Trailing spaces need no trimming: padding puts spaces back in their place.
        line_.resize(width_, ' ');
        applyFlagRule(line_, rule_);
    }
    finished_ = true;
    return line_;
}

std::string normalizeLine(std::string_view line) {
    LineFitter fitter;
    fitter.addBytes(line);
    return std::string(fitter.finish());
}

} // namespace sintegra
