#include "layout/display_text.hpp"

#include <array>
#include <cstdio>

namespace sintegra {
namespace {

// Windows-1252 from 0x80 to 0x9F; 0 where it defines no character. From 0xA0 on it is Latin-1.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The length of the well-formed UTF-8 sequence that starts at text[at], or 0 when none does.
std::size_t utf8Sequence(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        return 1;
    }
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
        const std::size_t size = utf8Sequence(text, at);
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

char32_t cp1252(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : byte;
}

} // namespace

std::string displayText(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    if (isUtf8(bytes)) {
        for (std::size_t at = 0; at < bytes.size();) {
            const std::string_view sequence = bytes.substr(at, utf8Sequence(bytes, at));
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
        const char32_t point = cp1252(static_cast<unsigned char>(bytes[at]));
        if (point == 0 || isControl(point)) {
            appendEscaped(text, bytes.substr(at, 1));
        } else {
            appendUtf8(text, point);
        }
    }
    return text;
}

} // namespace sintegra
