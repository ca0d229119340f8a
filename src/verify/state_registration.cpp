#include "verify/state_registration.hpp"

#include <algorithm>

#include "layout/digits.hpp"
#include "verify/state_registration_rules.hpp"

namespace sintegra::verify {
namespace {

using ie::Form;
using ie::Rule;

bool isUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

// The digits of a number as its form counts them: zeros first when it is shorter, 0 for a letter.
using Digits = std::array<int, 16>;

Digits digitsOf(const Form& form, std::string_view ie) {
    Digits digits{};
    const std::size_t offset = form.size - ie.size();
    for (std::size_t i = 0; i < ie.size(); ++i) {
        digits[offset + i] = isDigit(ie[i]) ? ie[i] - '0' : 0;
    }
    return digits;
}

// Amapá adds p to the sum and gives d for a result of 11, by the range of the first eight digits.
int amapaDigit(const Digits& digits, int sum) {
    int number = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        number = number * 10 + digits[i];
    }
    const bool first = number >= 3000001 && number <= 3017000;
    const bool second = number >= 3017001 && number <= 3019022;
    const int p = first ? 5 : second ? 9 : 0;
    const int d = second ? 1 : 0;
    const int result = 11 - (sum + p) % 11;
    return result == 10 ? 0 : result == 11 ? d : result;
}

int expected(const ie::CheckDigit& check, const Digits& digits) {
    int sum = 0;
    for (std::size_t i = 0; i < check.weights.size(); ++i) {
        const int product = digits[i] * check.weights[i];
        sum += check.rule == Rule::Mod10Digits && product > 9 ? product - 9 : product;
    }
    const int rest11 = sum % 11;
    switch (check.rule) {
    case Rule::Mod11:
        return rest11 < 2 ? 0 : 11 - rest11;
    case Rule::Mod11Wrap:
        return (11 - rest11) % 10;
    case Rule::Mod11Rest:
        return rest11 % 10;
    case Rule::Mod10:
    case Rule::Mod10Digits:
        return (10 - sum % 10) % 10;
    case Rule::Mod9:
        return sum % 9;
    case Rule::Amapa:
        return amapaDigit(digits, sum);
    }
    return -1;
}

bool checkDigitsHold(const Form& form, std::string_view ie) {
    const Digits digits = digitsOf(form, ie);
    return std::all_of(form.digits.begin(), form.digits.end(), [&](const ie::CheckDigit& check) {
        return check.at == 0 || expected(check, digits) == digits[check.at];
    });
}

// A letter fits only where a beginning has it.
bool startsFit(std::string_view starts, std::string_view ie) {
    if (starts.empty()) {
        return isDigit(ie[0]);
    }
    for (std::size_t begin = 0; begin <= starts.size();) {
        const std::size_t end = std::min(starts.find('|', begin), starts.size());
        const std::string_view start = starts.substr(begin, end - begin);
        if (start.size() <= ie.size() &&
            std::equal(start.begin(), start.end(), ie.begin(),
                       [](char s, char c) { return s == c || (s == '.' && isDigit(c)); })) {
            return true;
        }
        begin = end + 1;
    }
    return false;
}

// Digits only, but for a first letter that some form of the state starts with (SP's "P").
bool charactersFit(const ie::State& state, std::string_view ie) {
    const bool letterFits =
        isUpper(ie[0]) && std::any_of(state.forms.begin(), state.forms.end(),
                                      [&](const Form& f) { return f.starts.starts_with(ie[0]); });
    return allDigits(ie.substr(letterFits ? 1 : 0));
}

constexpr std::size_t slotOf(char first, char second) {
    return static_cast<std::size_t>((first - 'A') * 26 + (second - 'A'));
}

// A state by its UF, looked up by the two letters: every line of a file asks.
const ie::State* stateOf(std::string_view uf) {
    static constexpr auto kSlots = [] {
        std::array<std::uint8_t, 26 * 26> slots{};
        for (std::size_t i = 0; i < ie::kStates.size(); ++i) {
            slots[slotOf(ie::kStates[i].uf[0], ie::kStates[i].uf[1])] = static_cast<std::uint8_t>(i + 1);
        }
        return slots;
    }();
    if (uf.size() != 2 || !isUpper(uf[0]) || !isUpper(uf[1])) {
        return nullptr;
    }
    const std::uint8_t slot = kSlots[slotOf(uf[0], uf[1])];
    return slot == 0 ? nullptr : &ie::kStates[slot - 1u];
}

} // namespace

IeVerdict checkStateRegistration(std::string_view uf, std::string_view ie) {
    const ie::State* state = stateOf(uf);
    if (state == nullptr) {
        return IeVerdict::UnknownState;
    }
    if (ie.empty()) {
        return IeVerdict::Empty;
    }
    if (!charactersFit(*state, ie)) {
        return IeVerdict::Characters;
    }
    bool sized = false;
    bool started = false;
    for (const Form& form : state->forms) {
        if (ie.size() > form.size || ie.size() < form.shortest) {
            continue;
        }
        sized = true;
        if (!startsFit(form.starts, ie)) {
            continue;
        }
        if (checkDigitsHold(form, ie)) {
            return IeVerdict::Valid;
        }
        started = true;
    }
    return started ? IeVerdict::CheckDigit : sized ? IeVerdict::FixedDigits : IeVerdict::Length;
}

std::string_view reasonText(IeVerdict verdict) {
    switch (verdict) {
    case IeVerdict::Empty:
        return "em branco";
    case IeVerdict::Characters:
        return "caractere que não é algarismo";
    case IeVerdict::Length:
        return "número de dígitos";
    case IeVerdict::FixedDigits:
        return "dígitos iniciais";
    case IeVerdict::CheckDigit:
        return "dígito verificador";
    case IeVerdict::Valid:
    case IeVerdict::UnknownState:
        break;
    }
    return {};
}

} // namespace sintegra::verify
