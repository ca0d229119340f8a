#include "verify/checker.hpp"

#include "verify/checks.hpp"
#include "verify/field_checker.hpp"
#include "verify/record_kind.hpp"

namespace sintegra::verify {

void Checker::line(std::string_view head, std::uint64_t number, std::size_t width) {
    const RecordKind kind = classify(head);
    // Past the end of a short line, its fields are checked as the blanks a repair pads it with
    // (`largura` reports the width): padding then finds nothing that was not found before it.
    if (kind.layout != nullptr && head.size() < kind.layout->width) {
        padded_.assign(head);
        padded_.resize(kind.layout->width, ' ');
        head = padded_;
    }
    if (kind.type == kCode10 && header_.line == 0) {
        readHeader(head, number);
    }
    structure_.line(number, width, kind, sink_);
    totals_.line(head, number, kind, header_, sink_);
    if (kind.layout != nullptr) {
        checkFields(head, number, *kind.layout, header_, sink_);
    }
    if (related_) {
        relations_.line(head, number, kind, sink_);
    }
}

void Checker::finish() {
    structure_.finish(sink_);
    totals_.finish(sink_);
    if (related_) {
        relations_.finish(sink_);
    }
}

void Checker::readHeader(std::string_view line, std::uint64_t number) {
    header_ = verify::readHeader(line, number);
    const std::string_view dates = header_.periodText;
    const auto first = parseDate(dates.substr(0, kDateSize));
    const auto last = parseDate(dates.substr(std::min(dates.size(), kDateSize)));
    if (!first || !last) {
        return;
    }
    if (*last < *first) {
        reportPeriod(check::kPeriod10, number, "a data inicial vem depois da final");
    } else if (line.size() >= kPurposeColumn && line[kPurposeColumn - 1] == '1' &&
               !isWholeMonth(*first, *last)) {
        // Guia Prático, type 10: a normal file informs one month, from its first day to its last.
        reportPeriod(check::kPeriodMonth, number,
                     "um arquivo normal (finalidade 1) informa um mês, do primeiro ao último dia");
    }
}

void Checker::reportPeriod(const Check& check, std::uint64_t number, std::string_view detail) {
    report(sink_, check, [&] {
        return makeFinding(check, number, kPeriodColumn, kPeriodColumn + kPeriodSize - 1, kCode10,
                           "Data Inicial e Data Final", header_.periodText, std::string(detail));
    });
}

} // namespace sintegra::verify
