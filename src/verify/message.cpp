#include "verify/message.hpp"

#include <cstdio>

namespace sintegra::verify {
namespace {

// The length of the well-formed UTF-8 sequence that starts at text[at], or 0 when none does.
std::size_t utf8Sequence(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    const std::size_t size = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (size == 0 || at + size > text.size()) {
        return 0;
    }
    // No overlong forms, no surrogates, nothing above U+10FFFF.
    const unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    if (byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < size; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return size;
}

bool isUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t size = static_cast<unsigned char>(text[at]) < 0x80 ? 1 : utf8Sequence(text, at);
        if (size == 0) {
            return false;
        }
        at += size;
    }
    return true;
}

} // namespace

std::string displayText(std::string_view bytes) {
    const bool utf8 = isUtf8(bytes);
    std::string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            text += escaped;
        } else if (byte < 0x80 || utf8) {
            text += c;
        } else {
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

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
