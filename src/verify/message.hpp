#pragma once

#include <string>
#include <string_view>

#include "verify/finding.hpp"

namespace sintegra::verify {

// Bytes of a file as text to show: valid UTF-8 as it is, anything else read as Latin-1, which is
// what SINTEGRA files are written in; control bytes appear as \xNN.
std::string displayText(std::string_view bytes);

// "38-51", "126", or empty when the finding concerns no columns.
std::string columnsText(const Finding& finding);

// "erro" or "aviso".
std::string_view severityText(Severity severity);

// The whole finding in one Portuguese sentence: line, columns, record, field, value and what is wrong.
std::string describe(const Finding& finding);

} // namespace sintegra::verify
