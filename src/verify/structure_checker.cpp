#include "verify/structure_checker.hpp"

#include <algorithm>
#include <string>

#include "layout/record_types.hpp"
#include "verify/checks.hpp"

namespace sintegra::verify {
namespace {

constexpr std::string_view kTypeField = "Tipo";

void reportType(FindingSink& sink, const Check& check, std::uint64_t number, const RecordKind& kind,
                std::string_view detail) {
    report(sink, check, [&] {
        return makeFinding(check, number, 1, kCodeSize, std::string(kind.label), kTypeField,
                           std::string(kind.type), std::string(detail));
    });
}

} // namespace

void StructureChecker::line(std::uint64_t number, std::size_t width, const RecordKind& kind,
                            FindingSink& sink) {
    ++seen_;
    checkPlace(number, kind, sink);
    if (!kind.known) {
        reportType(sink, check::kUnknownType, number, kind, "o leiaute não tem registros deste tipo");
        return;
    }
    lastKnown_ = number;
    if (kind.width != 0 && width != kind.width) {
        const auto end = static_cast<std::uint16_t>(std::min<std::size_t>(width, UINT16_MAX));
        report(sink, check::kWidth, [&] {
            return makeFinding(check::kWidth, number, 1, end, std::string(kind.label), "Largura da linha",
                               std::to_string(width),
                               "a linha deve ter " + std::to_string(kind.width) + " caracteres");
        });
    }
    last90_ = kind.type == kCode90;
    if (!last90_ && in90_) {
        // Out of order as well, but this says more.
        reportType(sink, check::kAfter90, number, kind, "os registros tipo 90 devem ser os últimos");
        return;
    }
    in90_ = in90_ || last90_;
    checkOrder(number, kind, sink);
}

void StructureChecker::checkPlace(std::uint64_t number, const RecordKind& kind, FindingSink& sink) const {
    if (seen_ == 1 && kind.type != kCode10) {
        reportType(sink, check::kFirstIs10, number, kind, "o arquivo deve começar pelo registro tipo 10");
    }
    if (seen_ == 2 && kind.type != kCode11) {
        reportType(sink, check::kSecondIs11, number, kind, "o registro tipo 11 deve vir logo após o 10");
    }
    if ((kind.type == kCode10 && seen_ != 1) || (kind.type == kCode11 && seen_ != 2)) {
        reportType(sink, check::kMisplaced10Or11, number, kind,
                   "o arquivo tem um só registro tipo 10, na linha 1, e um só tipo 11, na linha 2");
    }
}

void StructureChecker::checkOrder(std::uint64_t number, const RecordKind& kind, FindingSink& sink) {
    if (kind.type == kCode10 || kind.type == kCode11) {
        return;
    }
    const int type = kind.number;
    if (type < highestType_) {
        report(sink, check::kOrder, [&] {
            return makeFinding(check::kOrder, number, 1, kCodeSize, std::string(kind.label), kTypeField,
                               std::string(kind.type),
                               "vem depois de um registro tipo " + std::to_string(highestType_));
        });
    }
    highestType_ = std::max(highestType_, type);
}

void StructureChecker::finish(FindingSink& sink) const {
    if (seen_ == 0) {
        report(sink, check::kFirstIs10, [] {
            return makeFinding(check::kFirstIs10, 0, 0, 0, "", "", "", "o arquivo não tem nenhum registro");
        });
    } else if (!last90_) {
        report(sink, check::kEndsWith90, [this] {
            return makeFinding(check::kEndsWith90, lastKnown_, 0, 0, "", "", "",
                               in90_ ? "o último registro do arquivo não é do tipo 90"
                                     : "o arquivo não tem registro tipo 90");
        });
    }
}

} // namespace sintegra::verify
