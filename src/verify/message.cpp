#include "verify/message.hpp"

namespace sintegra::verify {

std::string columnsText(const Finding& finding) {
    if (finding.firstColumn == 0) {
        return "";
    }
    std::string text = std::to_string(finding.firstColumn);
    if (finding.lastColumn != finding.firstColumn) {
        text += "-" + std::to_string(finding.lastColumn);
    }
    return text;
}

std::string_view severityText(Severity severity) {
    return severity == Severity::Error ? "erro" : "aviso";
}

std::string describe(const Finding& finding) {
    std::string text = finding.line == 0 ? "Arquivo" : "Linha " + std::to_string(finding.line);
    if (finding.firstColumn != 0) {
        text +=
            (finding.lastColumn != finding.firstColumn ? ", colunas " : ", coluna ") + columnsText(finding);
    }
    if (!finding.record.empty()) {
        text += ", registro " + displayText(finding.record);
    }
    if (!finding.field.empty()) {
        text += ", campo \"" + std::string(finding.field) + "\"";
    }
    if (!finding.value.empty()) {
        text += " = \"" + displayText(finding.value) + "\"";
    }
    return text + ": " + finding.detail + ".";
}

} // namespace sintegra::verify
