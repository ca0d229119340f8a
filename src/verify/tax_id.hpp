#pragma once

#include <string_view>

namespace sintegra::verify {

// Whether 14 characters have the form of a CNPJ: twelve digits or upper-case letters, then two
// digits. The Receita Federal issues CNPJs with letters since July 2026 (IN RFB 2.229/2024, Nota
// Técnica conjunta COCAD/SUARA/RFB nº 49/2024).
bool hasCnpjForm(std::string_view text);
// Whether 14 characters form a CNPJ whose two check digits are right: each character counts as its
// ASCII code minus 48, a digit as itself, a letter as 17 (A) to 42 (Z).
bool isValidCnpj(std::string_view text);
// Whether 11 digits form a CPF whose two check digits are right.
bool isValidCpf(std::string_view digits);
// Whether a 14-character tax-id field holds a valid CNPJ, or a valid CPF after three zeros.
bool isValidCnpjOrCpf(std::string_view text);

} // namespace sintegra::verify
