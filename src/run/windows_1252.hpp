#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sintegra {

// The text with its UTF-8 sequences written as the Windows-1252 bytes of their characters, when it
// holds some and every byte of it above 127 belongs to one whose character Windows-1252 has
// (a well-formed sequence: no overlong form, no lone continuation byte); otherwise none.
std::optional<std::string> windows1252FromUtf8(std::string_view text);

} // namespace sintegra
