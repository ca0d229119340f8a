#include "layout/display_text.hpp"

#include <cstdio>

#include "layout/code_page.hpp"

namespace sintegra {
namespace {

bool isUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t size = utf8SequenceSize(text, at);
        if (size == 0) {
            return false;
        }
        at += size;
    }
    return true;
}

void appendEscaped(std::string& text, std::string_view bytes) {
    for (const char c : bytes) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(c));
        text += escaped;
    }
}

void appendUtf8(std::string& text, char32_t point) {
    if (point < 0x80) {
        text += static_cast<char>(point);
    } else if (point < 0x800) {
        text += static_cast<char>(0xC0 | (point >> 6));
        text += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        text += static_cast<char>(0xE0 | (point >> 12));
        text += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (point & 0x3F));
    }
}

bool isControl(char32_t point) {
    return point < 0x20 || (point >= 0x7F && point <= 0x9F);
}

// A character of a UTF-8 field: only a C1 control is two bytes that begin with 0xC2 and end below 0xA0.
bool isControlSequence(std::string_view sequence) {
    const auto lead = static_cast<unsigned char>(sequence[0]);
    return sequence.size() == 1 ? isControl(lead)
                                : lead == 0xC2 && static_cast<unsigned char>(sequence[1]) < 0xA0;
}

} // namespace

std::string displayText(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    if (isUtf8(bytes)) {
        for (std::size_t at = 0; at < bytes.size();) {
            const std::string_view sequence = bytes.substr(at, utf8SequenceSize(bytes, at));
            if (isControlSequence(sequence)) {
                appendEscaped(text, sequence);
            } else {
                text += sequence;
            }
            at += sequence.size();
        }
        return text;
    }
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        const char32_t point = windows1252Character(static_cast<unsigned char>(bytes[at]));
        if (point == 0 || isControl(point)) {
            appendEscaped(text, bytes.substr(at, 1));
        } else {
            appendUtf8(text, point);
        }
    }
    return text;
}

} // namespace sintegra
