#pragma once

#include <string_view>

namespace sintegra::verify {

// Whether 14 digits form a CNPJ whose two check digits are right.
bool isValidCnpj(std::string_view digits);
// Whether 11 digits form a CPF whose two check digits are right.
bool isValidCpf(std::string_view digits);
// Whether a 14-digit tax-id field holds a valid CNPJ, or a valid CPF after three zeros.
bool isValidCnpjOrCpf(std::string_view digits);

} // namespace sintegra::verify
