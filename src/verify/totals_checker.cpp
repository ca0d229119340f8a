#include "verify/totals_checker.hpp"

#include <algorithm>
#include <array>

#include "layout/digits.hpp"
#include "layout/fields.hpp"
#include "layout/record_columns.hpp"
#include "verify/checks.hpp"
#include "verify/report.hpp"

namespace sintegra::verify {
namespace {

constexpr std::size_t kFirstPairColumn = kType90PrefixSize + 1;
constexpr std::size_t kPairSize = kTotalsPairSize;
constexpr std::size_t kLastPairColumn = kFirstPairColumn + (kTotalsPairsPerRecord - 1) * kPairSize;
constexpr int kGrandTotal = codeNumber(kGrandTotalCode);
// Types that no type 90 record totals.
constexpr bool untotalled(int type) {
    return type == codeNumber(kCode10) || type == codeNumber(kCode11) || type == codeNumber(kCode90);
}

// The two-character codes of the layout's record types. A record is counted by its code, as the
// repair totals it: a 60 of a sub-type the layout lacks is a type 60 record all the same.
const std::array<bool, 100>& layoutCodes() {
    static const std::array<bool, 100> codes = [] {
        std::array<bool, 100> found{};
        for (const RecordLayout& record : recordLayouts()) {
            found[static_cast<std::size_t>(codeNumber(record.code))] = true;
        }
        return found;
    }();
    return codes;
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
    if (kind.known || (kind.number >= 0 && layoutCodes()[static_cast<std::size_t>(kind.number)])) {
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
    records90_.push_back({number, line.size() >= kCount90Column ? line[kCount90Column - 1] : ' '});
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
        totals_.push_back(
            {codeNumber(pair), std::stoull(std::string(pair.substr(2))), number, first, std::string(pair)});
    }
}

void TotalsChecker::finish(FindingSink& sink) const {
    if (records90_.empty()) {
        return;
    }
    checkTypeTotals(sink);
    checkGrandTotal(sink);
    const std::string count = std::to_string(records90_.size());
    for (const Record90& record : records90_) {
        if (count.size() != 1 || record.count != count[0]) {
            reportTotal(sink, check::kCount90, record.line, kCount90Column, kCount90Column,
                        "Número de registros tipo 90", std::string(1, record.count),
                        "o arquivo tem " + recordsText(records90_.size()) + " tipo 90");
        }
    }
}

void TotalsChecker::checkTypeTotals(FindingSink& sink) const {
    for (const Total& total : totals_) {
        if (total.type != kGrandTotal && total.count != records_[total.type]) {
            reportTotal(sink, check::kTypeTotal, total.line, total.column, total.column + kPairSize - 1,
                        "Tipo e total de registros", total.text,
                        "o arquivo tem " + recordsText(records_[total.type]) + " tipo " +
                            typeText(total.type));
        }
    }
    for (int type = 0; type < kGrandTotal; ++type) {
        const bool totalled =
            std::any_of(totals_.begin(), totals_.end(), [type](const Total& t) { return t.type == type; });
        if (records_[type] > 0 && !untotalled(type) && !totalled) {
            reportTotal(sink, check::kMissingTotal, records90_.back().line, 0, 0, "Tipo a ser totalizado",
                        typeText(type),
                        "o arquivo tem " + recordsText(records_[type]) + " tipo " + typeText(type) +
                            " e nenhum registro tipo 90 " + (records_[type] == 1 ? "o" : "os") + " totaliza");
        }
    }
}

void TotalsChecker::checkGrandTotal(FindingSink& sink) const {
    const std::string records = std::to_string(allRecords_);
    const auto grand =
        std::find_if(totals_.rbegin(), totals_.rend(), [](const Total& t) { return t.type == kGrandTotal; });
    if (grand == totals_.rend()) {
        reportTotal(sink, check::kGrandTotal, records90_.back().line, 0, 0, "Total geral", "",
                    "nenhum registro tipo 90 traz o total geral (tipo 99) " +
                        (allRecords_ == 1 ? "do 1 registro" : "dos " + records + " registros"));
    } else if (grand->line != records90_.back().line || grand->count != allRecords_) {
        reportTotal(sink, check::kGrandTotal, grand->line, grand->column, grand->column + kPairSize - 1,
                    "Tipo e total de registros", grand->text,
                    grand->count != allRecords_ ? "o arquivo tem " + recordsText(allRecords_)
                                                : "o total geral vai no último registro tipo 90");
    }
}

} // namespace sintegra::verify
