#include "verify/join_checks.hpp"

#include <algorithm>
#include <chrono>
#include <string>

#include "verify/checks.hpp"
#include "verify/field_checker.hpp"

namespace sintegra::verify {
namespace {

std::string periodText(const Period& period) {
    return dayText(period.first) + " a " + dayText(period.last);
}

} // namespace

void checkJoin(const FileHeader& first, const FileHeader& second, FindingSink& sink) {
    if (first.line == 0 || second.line == 0) {
        return;
    }
    if (first.cnpj != second.cnpj || first.stateRegistration != second.stateRegistration) {
        report(sink, check::kJoinInformant, [&] {
            return makeFinding(check::kJoinInformant, second.line, kInformantColumn,
                               kInformantColumn + kInformantSize - 1, kCode10, "CNPJ e Inscrição Estadual",
                               second.cnpj + second.stateRegistration,
                               "o primeiro arquivo é de \"" + first.cnpj + first.stateRegistration +
                                   "\"; o arquivo juntado fica com o CNPJ e a inscrição do segundo");
        });
    }
    if (!first.period || !second.period) {
        return;
    }
    const Period& a = *first.period;
    const Period& b = *second.period;
    const auto periodFinding = [&](const Check& check, std::string detail) {
        report(sink, check, [&] {
            return makeFinding(check, second.line, kPeriodColumn, kPeriodColumn + kPeriodSize - 1, kCode10,
                               "Data Inicial e Data Final", second.periodText, std::move(detail));
        });
    };
    if (a.first <= b.last && b.first <= a.last) {
        periodFinding(check::kJoinOverlap,
                      "o primeiro arquivo vai de " + periodText(a) + " e os dois informam os dias de " +
                          periodText({std::max(a.first, b.first), std::min(a.last, b.last)}));
        return;
    }
    const Period& earlier = a.first < b.first ? a : b;
    const Period& later = a.first < b.first ? b : a;
    const std::chrono::days oneDay{1};
    if (later.first - earlier.last > oneDay) {
        periodFinding(check::kJoinGap, "o primeiro arquivo vai de " + periodText(a) +
                                           " e nenhum dos dois informa " +
                                           periodText({earlier.last + oneDay, later.first - oneDay}));
    }
}

} // namespace sintegra::verify
