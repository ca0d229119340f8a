#include "verify/totals_checker.hpp"

#include <algorithm>

#include "layout/digits.hpp"
#include "layout/record_columns.hpp"
#include "layout/record_types.hpp"
#include "verify/checks.hpp"
#include "verify/report.hpp"

namespace sintegra::verify {
namespace {

constexpr std::size_t kFirstPairColumn = kType90PrefixSize + 1;
constexpr std::size_t kPairSize = kTotalsPairSize;
constexpr std::size_t kLastPairColumn = kFirstPairColumn + (kTotalsPairsPerRecord - 1) * kPairSize;
constexpr int kGrandTotal = codeNumber(kGrandTotalCode);
// What column 126 can count.
constexpr std::uint64_t kMost90Records = 9;
// Types that no type 90 record totals.
constexpr bool untotalled(int type) {
    return type == codeNumber(kCode10) || type == codeNumber(kCode11) || type == codeNumber(kCode90);
}

// "1 registro", "3 registros"
std::string recordsText(std::uint64_t count) {
    return counted(count, "registro", "registros");
}

std::string typeText(int type) {
    return {static_cast<char>('0' + type / 10), static_cast<char>('0' + type % 10)};
}

// Totals are few: their findings are built whether the sink wants them or not.
void reportTotal(FindingSink& sink, const Check& check, std::uint64_t line, std::uint16_t column,
                 std::uint16_t last, std::string_view field, std::string value, std::string detail) {
    report(sink, check, [&] {
        return makeFinding(check, line, column, last, kCode90, field, std::move(value), std::move(detail));
    });
}

} // namespace

void TotalsChecker::line(std::string_view line, std::uint64_t number, const RecordKind& kind,
                         const FileHeader& header, FindingSink& sink) {
    // Counted by its two-character code, as the repair totals it: a 60 of a sub-type the layout
    // lacks is a type 60 record all the same.
    if (isHandledCode(line.substr(0, kCodeSize))) {
        ++records_[static_cast<std::size_t>(kind.number)];
        ++allRecords_;
    }
    if (kind.type != kCode90) {
        return;
    }
    const std::string_view informant = line.substr(kInformantColumn - 1, kInformantSize);
    if (header.line != 0 && informant != std::string_view(header.cnpj + header.stateRegistration)) {
        reportTotal(sink, check::k90Informant, number, kInformantColumn,
                    kInformantColumn + kInformantSize - 1, "CNPJ e Inscrição Estadual",
                    std::string(informant),
                    "o registro tipo 10 da linha " + std::to_string(header.line) + " tem \"" + header.cnpj +
                        header.stateRegistration + "\"");
    }
    const Record90 record{number, line.size() >= kCount90Column ? line[kCount90Column - 1] : ' '};
    last90_ = number;
    if (++records90Count_ <= kMost90Records) {
        records90_.push_back(record);
    } else {
        if (records90Count_ == kMost90Records + 1) {
            judgeHeld(sink);
        }
        checkCount90(record, sink);
    }
    readTotals(line, number, sink);
}

void TotalsChecker::readTotals(std::string_view line, std::uint64_t number, FindingSink& sink) {
    for (std::size_t column = kFirstPairColumn;
         column <= kLastPairColumn && column - 1 + kPairSize <= line.size(); column += kPairSize) {
        const std::string_view pair = line.substr(column - 1, kPairSize);
        if (pair.substr(0, kCodeSize) == "  ") {
            return;
        }
        const auto first = static_cast<std::uint16_t>(column);
        if (!allDigits(pair)) {
            reportTotal(sink, check::kNumeric, number, first, first + kPairSize - 1,
                        "Tipo e total de registros", std::string(pair), "o campo só pode ter algarismos");
            continue;
        }
        Total total{codeNumber(pair), std::stoull(std::string(pair.substr(2))), number, first,
                    std::string(pair)};
        totalled_[static_cast<std::size_t>(total.type)] = true;
        if (total.type == kGrandTotal) {
            grandTotal_ = std::move(total);
        } else if (records90Count_ <= kMost90Records) {
            totals_.push_back(std::move(total));
        } else {
            checkTypeTotal(total, sink);
        }
    }
}

// The held records, once a 10th type 90 record shows that they will not be judged at the end.
void TotalsChecker::judgeHeld(FindingSink& sink) {
    for (const Record90& record : records90_) {
        checkCount90(record, sink);
    }
    for (const Total& total : totals_) {
        checkTypeTotal(total, sink);
    }
    records90_.clear();
    records90_.shrink_to_fit();
    totals_.clear();
    totals_.shrink_to_fit();
}

void TotalsChecker::finish(FindingSink& sink) const {
    if (records90Count_ == 0) {
        return;
    }
    for (const Total& total : totals_) {
        checkTypeTotal(total, sink);
    }
    checkMissingTotals(sink);
    checkGrandTotal(sink);
    for (const Record90& record : records90_) {
        checkCount90(record, sink);
    }
}

void TotalsChecker::checkCount90(const Record90& record, FindingSink& sink) const {
    if (records90Count_ <= kMost90Records && record.count == static_cast<char>('0' + records90Count_)) {
        return;
    }
    reportTotal(sink, check::kCount90, record.line, kCount90Column, kCount90Column,
                "Número de registros tipo 90", std::string(1, record.count),
                records90Count_ <= kMost90Records
                    ? "o arquivo tem " + recordsText(records90Count_) + " tipo 90"
                    : "o arquivo tem mais de " + std::to_string(kMost90Records) + " registros tipo 90");
}

void TotalsChecker::checkTypeTotal(const Total& total, FindingSink& sink) const {
    const std::uint64_t records = records_[static_cast<std::size_t>(total.type)];
    if (total.count != records) {
        reportTotal(sink, check::kTypeTotal, total.line, total.column, total.column + kPairSize - 1,
                    "Tipo e total de registros", total.text,
                    "o arquivo tem " + recordsText(records) + " tipo " + typeText(total.type));
    }
}

void TotalsChecker::checkMissingTotals(FindingSink& sink) const {
    for (int type = 0; type < kGrandTotal; ++type) {
        const std::uint64_t records = records_[static_cast<std::size_t>(type)];
        if (records > 0 && !untotalled(type) && !totalled_[static_cast<std::size_t>(type)]) {
            reportTotal(sink, check::kMissingTotal, last90_, 0, 0, "Tipo a ser totalizado", typeText(type),
                        "o arquivo tem " + recordsText(records) + " tipo " + typeText(type) +
                            " e nenhum registro tipo 90 " + (records == 1 ? "o" : "os") + " totaliza");
        }
    }
}

void TotalsChecker::checkGrandTotal(FindingSink& sink) const {
    const std::string records = std::to_string(allRecords_);
    if (!grandTotal_) {
        reportTotal(sink, check::kGrandTotal, last90_, 0, 0, "Total geral", "",
                    "nenhum registro tipo 90 traz o total geral (tipo 99) " +
                        (allRecords_ == 1 ? "do 1 registro" : "dos " + records + " registros"));
    } else if (grandTotal_->line != last90_ || grandTotal_->count != allRecords_) {
        reportTotal(sink, check::kGrandTotal, grandTotal_->line, grandTotal_->column,
                    grandTotal_->column + kPairSize - 1, "Tipo e total de registros", grandTotal_->text,
                    grandTotal_->count != allRecords_ ? "o arquivo tem " + recordsText(allRecords_)
                                                      : "o total geral vai no último registro tipo 90");
    }
}

} // namespace sintegra::verify
