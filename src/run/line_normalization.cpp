#include "run/line_normalization.hpp"

#include <algorithm>
#include <array>

#include "run/record_limits.hpp"
#include "staging/ascii_case.hpp"

namespace sintegra {
namespace {

struct SubRecord {
    std::string_view code;
    std::size_t width;
    LineFitter::FlagRule rule;
};

constexpr std::size_t kSubRecordCodeSize = 6;

constexpr std::array<SubRecord, 6> kSubRecords = {{
    {"88SP02", 157, LineFitter::FlagRule::None},
    {"88SP03", 144, LineFitter::FlagRule::A},
    {"88STIT", 144, LineFitter::FlagRule::A},
    {"88SP04", 147, LineFitter::FlagRule::B},
    {"88SP05", 126, LineFitter::FlagRule::None},
    {"88STES", 126, LineFitter::FlagRule::None},
}};

// Columns are counted from 1. The state code is at columns 43 and 44.
void applyFlagRule(std::string& line, LineFitter::FlagRule rule) {
    if (rule == LineFitter::FlagRule::None) {
        return;
    }
    const bool minasGerais = upperAscii(line[42]) == 'M' && upperAscii(line[43]) == 'G';
    const auto repair = [&](std::size_t column) {
        char& flag = line[column - 1];
        if (minasGerais) {
            flag = '0';
        } else if (flag == '0') {
            flag = '2';
        }
    };
    if (rule == LineFitter::FlagRule::A) {
        repair(131);
        repair(144);
    } else {
        repair(147);
    }
}

} // namespace

void LineFitter::addBytes(std::string_view bytes) {
    startLineIfFinished();
    if (kind_ == Kind::Undecided) {
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

// The kind is known from the first two bytes unless they are "88"; then from the first six.
void LineFitter::decide(bool lineComplete) {
    const bool type88 = head_.starts_with("88");
    if (head_.size() >= 2 && !type88) {
        kind_ = Kind::Fitted;
        width_ = kRecordWidth;
    } else if (type88 && head_.size() >= kSubRecordCodeSize) {
        kind_ = Kind::Verbatim;
        for (const SubRecord& sub : kSubRecords) {
            if (head_ == sub.code) {
                kind_ = Kind::Fitted;
                width_ = sub.width;
                rule_ = sub.rule;
            }
        }
    } else if (lineComplete) {
        kind_ = type88 ? Kind::Verbatim : Kind::Fitted;
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
    if (line_.empty()) {
        std::size_t spaces = 0;
        while (spaces < bytes.size() && bytes[spaces] == ' ') {
            ++spaces;
        }
        bytes.remove_prefix(spaces);
    }
    line_.append(bytes.substr(0, width_ - line_.size()));
}

void LineFitter::startLineIfFinished() {
    if (finished_) {
        finished_ = false;
        kind_ = Kind::Undecided;
        rule_ = FlagRule::None;
        line_.clear();
    }
}

std::string_view LineFitter::finish() {
    startLineIfFinished();
    if (kind_ == Kind::Undecided) {
        decide(true);
    }
    if (kind_ == Kind::Fitted) {
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
