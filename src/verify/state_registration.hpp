#pragma once

#include <cstdint>
#include <string_view>

// The Inscrição Estadual of each state, checked as the state's "roteiro de crítica" says: its size,
// the digits every number of a form starts with, and its check digits.
namespace sintegra::verify {

enum class IeVerdict : std::uint8_t {
    Valid,
    UnknownState, // the UF names no state: there is no rule to check by
    Empty,
    Characters,  // something other than digits, where the state's numbers have none
    Length,      // no form of the state has that many digits
    FixedDigits, // a form has that many digits, but not its fixed first ones
    CheckDigit,
};

// Checks an Inscrição Estadual, without the blanks that fill its field, by the rule of the state
// named by uf. Allocates nothing: it runs on every line of files of millions of lines.
IeVerdict checkStateRegistration(std::string_view uf, std::string_view ie);

// The reason a verdict gives, as the report says it: "dígito verificador".
std::string_view reasonText(IeVerdict verdict);

} // namespace sintegra::verify
