#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace sintegra {

inline bool isDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}

// Whether every byte of text is an ASCII digit; true for no bytes. Every numeric field of every line
// is tested, so eight bytes are tested at once: a byte is a digit when its high half is 3 and stays 3
// once 6 is added to it (a byte that overflows into the next is already no digit).
inline bool allDigits(std::string_view text) noexcept {
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    constexpr auto isDigitWord = [](std::uint64_t word) {
        return (word & kOnes * 0xF0) == kOnes * 0x30 &&
               ((word + kOnes * 0x06) & kOnes * 0xF0) == kOnes * 0x30;
    };
    const char* at = text.data();
    std::size_t left = text.size();
    for (; left >= 8; at += 8, left -= 8) {
        std::uint64_t word;
        std::memcpy(&word, at, 8);
        if (!isDigitWord(word)) {
            return false;
        }
    }
    std::uint64_t word = kOnes * '0';
    std::memcpy(&word, at, left);
    return isDigitWord(word);
}

} // namespace sintegra
