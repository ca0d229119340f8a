#pragma once

namespace sintegra {

// Upper case of ASCII letters only: codes and state abbreviations compare this way, whatever the
// bytes above 127 mean in the file's code page.
constexpr char upperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace sintegra
