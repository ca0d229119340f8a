#include "verify/tax_id.hpp"

#include <cstddef>

namespace sintegra::verify {
namespace {

// The check digit of the first `count` digits: the weights run from `top` down to 2 and, for a
// CNPJ, start again at 9.
char checkDigit(std::string_view digits, std::size_t count, int top, bool restartAt9) {
    int sum = 0;
    int weight = top;
    for (std::size_t i = 0; i < count; ++i) {
        sum += (digits[i] - '0') * weight;
        weight = (weight == 2 && restartAt9) ? 9 : weight - 1;
    }
    const int rest = sum % 11;
    return static_cast<char>('0' + (rest < 2 ? 0 : 11 - rest));
}

} // namespace

bool isValidCnpj(std::string_view digits) {
    return digits.size() == 14 && checkDigit(digits, 12, 5, true) == digits[12] &&
           checkDigit(digits, 13, 6, true) == digits[13];
}

bool isValidCpf(std::string_view digits) {
    return digits.size() == 11 && checkDigit(digits, 9, 10, false) == digits[9] &&
           checkDigit(digits, 10, 11, false) == digits[10];
}

bool isValidCnpjOrCpf(std::string_view digits) {
    return isValidCnpj(digits) ||
           (digits.size() == 14 && digits.starts_with("000") && isValidCpf(digits.substr(3)));
}

} // namespace sintegra::verify
