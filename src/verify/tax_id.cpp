#include "verify/tax_id.hpp"

#include <algorithm>
#include <cstddef>

#include "layout/digits.hpp"

namespace sintegra::verify {
namespace {

constexpr std::size_t kCnpjBase = 12;

// The check digit of the first `count` characters, each worth its code minus '0': the weights run
// from `top` down to 2 and, for a CNPJ, start again at 9.
char checkDigit(std::string_view text, std::size_t count, int top, bool restartAt9) {
    int sum = 0;
    int weight = top;
    for (std::size_t i = 0; i < count; ++i) {
        sum += (text[i] - '0') * weight;
        weight = (weight == 2 && restartAt9) ? 9 : weight - 1;
    }
    const int rest = sum % 11;
    return static_cast<char>('0' + (rest < 2 ? 0 : 11 - rest));
}

} // namespace

bool hasCnpjForm(std::string_view text) {
    return text.size() == kCnpjBase + 2 &&
           std::all_of(text.begin(), text.begin() + kCnpjBase,
                       [](char c) { return isDigit(c) || (c >= 'A' && c <= 'Z'); }) &&
           allDigits(text.substr(kCnpjBase));
}

bool isValidCnpj(std::string_view text) {
    return hasCnpjForm(text) && checkDigit(text, kCnpjBase, 5, true) == text[kCnpjBase] &&
           checkDigit(text, kCnpjBase + 1, 6, true) == text[kCnpjBase + 1];
}

bool isValidCpf(std::string_view digits) {
    return digits.size() == 11 && allDigits(digits) && checkDigit(digits, 9, 10, false) == digits[9] &&
           checkDigit(digits, 10, 11, false) == digits[10];
}

bool isValidCnpjOrCpf(std::string_view text) {
    return isValidCnpj(text) || (text.size() == 14 && text.starts_with("000") && isValidCpf(text.substr(3)));
}

} // namespace sintegra::verify
