#include "verify/field_checker.hpp"

#include <algorithm>
#include <cstdio>
#include <string>
#include <type_traits>
#include <vector>

#include "layout/digits.hpp"
#include "layout/record_columns.hpp"
#include "verify/cfop.hpp"
#include "verify/checks.hpp"
#include "verify/state_registration.hpp"
#include "verify/tax_id.hpp"

namespace sintegra::verify {
namespace {

bool allOf(std::string_view text, char c) {
    return text.find_first_not_of(c) == std::string_view::npos;
}

bool listed(std::string_view values, std::string_view value) {
    std::size_t start = 0;
    while (start <= values.size()) {
        const std::size_t end = std::min(values.find('|', start), values.size());
        if (values.substr(start, end - start) == value) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

std::string listText(std::string_view values) {
    std::string text(values);
    std::replace(text.begin(), text.end(), '|', ',');
    for (std::size_t at = text.find(','); at != std::string::npos; at = text.find(',', at + 2)) {
        text.insert(at + 1, " ");
    }
    return text;
}

// The word the layout takes in place of an Inscrição Estadual, for a party that has none.
std::string_view exemptWord(FieldRule rule) {
    return rule == FieldRule::StateRegistration || rule == FieldRule::HolderStateRegistration ? "ISENTO"
           : rule == FieldRule::SubstituteRegistration                                        ? "INEXISTENTE"
                                                                                              : "";
}

bool isBlankOrZero(std::string_view value) {
    return allOf(value, ' ') || allOf(value, '0');
}

// The fields a CFOP is judged by, found once for every record: the state of the other party and the
// document's situation.
struct CfopContext {
    const Field* state = nullptr;
    const Field* situation = nullptr;
};

const CfopContext& cfopContext(const RecordLayout& layout) {
    static const std::vector<CfopContext> contexts = [] {
        std::vector<CfopContext> found;
        for (const RecordLayout& record : recordLayouts()) {
            CfopContext& context = found.emplace_back();
            for (const Field& field : record.fields) {
                context.state = field.rule == FieldRule::State ? &field : context.state;
                context.situation = field.rule == FieldRule::Situation ? &field : context.situation;
            }
        }
        return found;
    }();
    return contexts[static_cast<std::size_t>(&layout - recordLayouts().data())];
}

class LineFields {
public:
    LineFields(std::string_view line, std::uint64_t number, const RecordLayout& layout,
               const FileHeader& header, FindingSink& sink)
        : line_(line)
        , number_(number)
        , layout_(layout)
        , header_(header)
        , period_(header.period ? &*header.period : nullptr)
        , informantState_(header.state)
        , sink_(sink) {}

    void check(const Field& field, std::string_view value) {
        switch (field.kind) {
        case FieldKind::Numeric:
            if (!allDigits(value)) {
                if (!holdsTaxId(field)) {
                    return report(check::kNumeric, field, value, "o campo só pode ter algarismos");
                }
                if (!hasCnpjForm(value)) {
                    return report(check::kNumeric, field, value,
                                  "o campo só pode ter algarismos, ou letras maiúsculas nos 12 primeiros "
                                  "caracteres de um CNPJ alfanumérico");
                }
                return checkAlphanumericCnpj(field, value);
            }
            break;
        case FieldKind::Decimal:
            if (!allDigits(value)) {
                return report(check::kNumeric, field, value, [&] {
                    return "o campo só pode ter algarismos, dos quais os " + std::to_string(field.decimals) +
                           " últimos são os decimais";
                });
            }
            break;
        case FieldKind::Date:
            return checkDate(field, value);
        case FieldKind::Month:
            return checkMonth(field, value);
        case FieldKind::Alphanumeric:
            break;
        }
        checkRule(field, value);
        if (!field.values.empty() && !listed(field.values, value)) {
            report(check::kTable, field, value,
                   [&] { return "o leiaute só admite " + listText(field.values); });
        }
    }

private:
    // The layout declares the field numeric (N 14): the CNPJ may be right and the file still refused.
    void checkAlphanumericCnpj(const Field& field, std::string_view value) {
        if (!isValidCnpj(value)) {
            return report(check::kTaxId, field, value,
                          "não é CNPJ alfanumérico com dígitos verificadores certos");
        }
        report(check::kAlphanumericCnpj, field, value,
               "o leiaute do Convênio ICMS 57/95 declara o campo numérico e o validador do estado pode "
               "ainda não aceitar o CNPJ alfanumérico (IN RFB 2.229/2024, Nota Técnica conjunta "
               "COCAD/SUARA/RFB nº 49/2024)");
    }

    void checkDate(const Field& field, std::string_view value) {
        if (field.rule == FieldRule::ZeroOrDate && allOf(value, '0')) {
            return;
        }
        const auto day = parseDate(value);
        if (!day) {
            return report(check::kDate, field, value, "não é uma data AAAAMMDD que exista");
        }
        if (field.rule == FieldRule::InPeriod && period_ != nullptr && !period_->contains(*day)) {
            report(check::kPeriod, field, value, [this] { return outsideText(); });
        }
    }

    void checkMonth(const Field& field, std::string_view value) {
        const auto month = parseMonth(value);
        if (!month) {
            return report(check::kDate, field, value, "não é um mês MMAAAA que exista");
        }
        if (field.rule == FieldRule::InPeriod && period_ != nullptr && !period_->touches(*month)) {
            report(check::kPeriod, field, value, [this] { return outsideText(); });
        }
    }

    void checkRule(const Field& field, std::string_view value) {
        switch (field.rule) {
        case FieldRule::TaxId:
            if (!allOf(value, '0') && !isValidCnpjOrCpf(value)) {
                report(check::kTaxId, field, value, "não é CNPJ nem CPF com dígitos verificadores certos");
            }
            break;
        case FieldRule::InformantTaxId:
            if (allOf(value, '0') || !isValidCnpjOrCpf(value)) {
                report(check::kTaxId, field, value, "o informante precisa de CNPJ ou CPF com dígitos certos");
            }
            break;
        case FieldRule::InformantState:
            if (!isStateAbbreviation(value)) {
                report(check::kState, field, value, "não é sigla de unidade da Federação");
            }
            break;
        case FieldRule::State:
        case FieldRule::StateOrBlank:
            if (!isStateAbbreviation(value) && value != "EX" &&
                !(field.rule == FieldRule::StateOrBlank && allOf(value, ' '))) {
                report(check::kState, field, value, "não é sigla de unidade da Federação nem EX");
            }
            break;
        case FieldRule::StateRegistration:
        case FieldRule::SubstituteRegistration:
        case FieldRule::InformantStateRegistration:
        case FieldRule::HolderStateRegistration:
            checkRegistration(field, value);
            break;
        case FieldRule::Cfop:
        case FieldRule::CfopOfState:
            checkCfop(field, value);
            break;
        case FieldRule::Required:
            if (isBlankOrZero(value)) {
                report(check::kRequired, field, value, "o campo não pode ficar vazio nem zerado");
            }
            break;
        case FieldRule::RequiredOrNext:
            checkRequiredOrNext(field, value);
            break;
        default:
            break;
        }
    }

    void checkRegistration(const Field& field, std::string_view value) {
        const std::string_view number = value.substr(0, value.find_last_not_of(' ') + 1);
        const std::string_view exempt = exemptWord(field.rule);
        if ((!exempt.empty() && number == exempt) || ownGoodsInHand(field, number)) {
            return;
        }
        const std::string_view uf = stateOf(field);
        const IeVerdict verdict = checkStateRegistration(uf, number);
        if (verdict != IeVerdict::Valid && verdict != IeVerdict::UnknownState) {
            report(check::kStateRegistration, field, value, [&] {
                return "a inscrição estadual não é válida para " + std::string(uf) + " (" +
                       std::string(reasonText(verdict)) + ")";
            });
        }
    }

    // A cancelled or void document keeps zeros in its CFOP and may leave its state blank.
    void checkCfop(const Field& field, std::string_view value) {
        const CfopContext& context = cfopContext(layout_);
        const std::string_view situation = valueOf(context.situation);
        if (allOf(value, '0') && situation.size() == 1 &&
            std::string_view("SX24").find(situation[0]) != npos) {
            return;
        }
        if (!isKnownCfop(value)) {
            return report(check::kCfop, field, value, "o código não consta da tabela de CFOP");
        }
        const std::string_view state = valueOf(context.state);
        const std::string_view first = cfopFirstDigits(state, informantState_);
        if (field.rule == FieldRule::CfopOfState && !first.empty() && first.find(value[0]) == npos) {
            report(check::kCfopState, field, value, [&] {
                return "com o participante em " + std::string(state) + " e o informante em " +
                       std::string(informantState_) + ", o CFOP começa por " + first[0] + " ou " + first[1];
            });
        }
    }

    // A type 74 record of goods the informant owns and holds itself names no holder.
    bool ownGoodsInHand(const Field& field, std::string_view number) const {
        return field.rule == FieldRule::HolderStateRegistration && number.empty() &&
               line_[kType74PossessionColumn - 1] == kOwnGoodsInHand;
    }

    // The UF that commands an Inscrição Estadual's check; empty when the line is too short to say.
    std::string_view stateOf(const Field& field) const {
        if (field.stateColumn == 0) {
            return header_.state;
        }
        return field.stateColumn + 1u <= line_.size() ? line_.substr(field.stateColumn - 1u, kStateSize)
                                                      : std::string_view();
    }

    // Only the complement may stand for the number: "s/n". The layout gives the rule to fields that
    // have a next one.
    void checkRequiredOrNext(const Field& field, std::string_view value) {
        const Field& next = *(&field + 1);
        if (isBlankOrZero(value) && isBlankOrZero(valueOf(&next))) {
            report(check::kRequired, field, value, [&] {
                return "o campo, ou o campo \"" + std::string(next.name) +
                       "\" que o segue, precisa ser preenchido";
            });
        }
    }

    // The value of another field of the line; empty when the line is too short for it.
    std::string_view valueOf(const Field* field) const {
        return field == nullptr || field->last > line_.size()
                   ? std::string_view()
                   : line_.substr(field->first - 1u, field->size());
    }

    std::string outsideText() const {
        return "fica fora do período do registro tipo 10, de " + dayText(period_->first) + " a " +
               dayText(period_->last);
    }

    // detail: the text, or a function that makes it
    template <class Detail>
    void report(const Check& check, const Field& field, std::string_view value, Detail&& detail) {
        verify::report(sink_, check, [&] {
            if constexpr (std::is_invocable_v<Detail>) {
                return fieldFinding(check, number_, layout_.code, field, value, detail());
            } else {
                return fieldFinding(check, number_, layout_.code, field, value, std::string(detail));
            }
        });
    }

    static constexpr std::size_t npos = std::string_view::npos;

    std::string_view line_;
    std::uint64_t number_;
    const RecordLayout& layout_;
    const FileHeader& header_;
    const Period* period_;
    std::string_view informantState_;
    FindingSink& sink_;
};

} // namespace

void checkFields(std::string_view line, std::uint64_t number, const RecordLayout& layout,
                 const FileHeader& header, FindingSink& sink) {
    LineFields fields(line, number, layout, header, sink);
    for (const Field& field : layout.fields) {
        if (field.last > line.size()) {
            return;
        }
        fields.check(field, line.substr(field.first - 1u, field.size()));
    }
}

Finding fieldFinding(const Check& check, std::uint64_t number, std::string_view record, const Field& field,
                     std::string_view value, std::string detail) {
    return makeFinding(check, number, field.first, field.last, record, field.name, std::string(value),
                       std::move(detail));
}

std::string dayText(Day day) {
    const std::chrono::year_month_day date{day};
    char text[16];
    std::snprintf(text, sizeof text, "%02u/%02u/%04d", unsigned(date.day()), unsigned(date.month()),
                  int(date.year()));
    return text;
}

} // namespace sintegra::verify
