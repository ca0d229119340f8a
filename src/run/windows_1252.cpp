#include "run/windows_1252.hpp"

#include <algorithm>
#include <array>

namespace sintegra {
namespace {

// The characters of bytes 0x80 to 0x9F, 0 for the five that Windows-1252 leaves undefined; bytes
// 0xA0 to 0xFF are the characters of the same number.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::optional<char> byteOf(char32_t character) {
    if (character >= 0xA0 && character <= 0xFF) {
        return static_cast<char>(character);
    }
    const auto found = std::find(kHighControls.begin(), kHighControls.end(), character);
    if (character == 0 || found == kHighControls.end()) {
        return std::nullopt;
    }
    return static_cast<char>(0x80 + (found - kHighControls.begin()));
}

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The character of the sequence at the start of text and its length; none when it is not a
// well-formed sequence of two or three bytes, the longest of Windows-1252's characters.
std::optional<std::pair<char32_t, std::size_t>> decode(std::string_view text) {
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead >= 0xC2 && lead <= 0xDF && text.size() >= 2 && isContinuation(byte(1))) {
        return std::pair{static_cast<char32_t>(((lead & 0x1F) << 6) | (byte(1) & 0x3F)), std::size_t{2}};
    }
    if (lead >= 0xE0 && lead <= 0xEF && text.size() >= 3 && isContinuation(byte(1)) &&
        isContinuation(byte(2)) && (lead > 0xE0 || byte(1) >= 0xA0)) {
        return std::pair{
            static_cast<char32_t>(((lead & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F)),
            std::size_t{3}};
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> windows1252FromUtf8(std::string_view text) {
    std::string converted;
    bool any = false;
    for (std::size_t at = 0; at < text.size();) {
        if (static_cast<unsigned char>(text[at]) < 0x80) {
            converted += text[at++];
            continue;
        }
        const auto sequence = decode(text.substr(at));
        const std::optional<char> byte = sequence ? byteOf(sequence->first) : std::nullopt;
        if (!byte) {
            return std::nullopt;
        }
        converted += *byte;
        at += sequence->second;
        any = true;
    }
    return any ? std::optional(std::move(converted)) : std::nullopt;
}

} // namespace sintegra
