#pragma once

#include <string>
#include <string_view>

#include "layout/display_text.hpp"
#include "verify/finding.hpp"

namespace sintegra::verify {

// "38-51", "126", or empty when the finding concerns no columns.
std::string columnsText(const Finding& finding);

// "erro" or "aviso".
std::string_view severityText(Severity severity);

// The whole finding in one Portuguese sentence: line, columns, record, field, value and what is wrong.
std::string describe(const Finding& finding);

} // namespace sintegra::verify
