#include "run/windows_1252.hpp"

#include "layout/code_page.hpp"

namespace sintegra {
namespace {

// The Windows-1252 byte of a character, if it has one.
std::optional<char> byteOf(char32_t character) {
    if (character >= 0xA0 && character <= 0xFF) {
        return static_cast<char>(character);
    }
    for (unsigned char byte = 0x80; byte < 0xA0; ++byte) {
        if (character != 0 && windows1252Character(byte) == character) {
            return static_cast<char>(byte);
        }
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
        // Windows-1252's characters are two or three bytes long in UTF-8.
        const std::size_t size = utf8SequenceSize(text, at);
        const std::optional<char> byte =
            size == 2 || size == 3 ? byteOf(utf8Character(text.substr(at, size))) : std::nullopt;
        if (!byte) {
            return std::nullopt;
        }
        converted += *byte;
        at += size;
        any = true;
    }
    return any ? std::optional(std::move(converted)) : std::nullopt;
}

} // namespace sintegra
