#pragma once

#include <cstddef>
#include <string_view>

// The two ways the bytes of a SINTEGRA file are read as characters: Windows-1252, the code page they
// are written in, and UTF-8, which editors save them in.
namespace sintegra {

// The character of a Windows-1252 byte; 0 for the five bytes it leaves undefined.
char32_t windows1252Character(unsigned char byte);

// The length of the well-formed UTF-8 sequence that starts at text[at] (no overlong form, no
// surrogate, nothing above U+10FFFF), or 0 when none does.
std::size_t utf8SequenceSize(std::string_view text, std::size_t at);

// The character of a well-formed UTF-8 sequence, as utf8SequenceSize() measured it.
char32_t utf8Character(std::string_view sequence);

} // namespace sintegra
