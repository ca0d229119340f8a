#pragma once

#include <string_view>

namespace sintegra::verify {

// Whether four digits form a code of the CFOP table.
bool isKnownCfop(std::string_view code);

// The first digits that a CFOP may have for an operation with a participant in state, the informant
// being in own: "15" within the state, "26" with another, "37" abroad (EX); empty when state names
// neither.
std::string_view cfopFirstDigits(std::string_view state, std::string_view own);

} // namespace sintegra::verify
