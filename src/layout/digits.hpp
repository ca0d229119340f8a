#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace sintegra {

constexpr bool isDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}

// Whether every byte of text is an ASCII digit; true for no bytes. Every numeric field of every line
// is tested, so a field of eight bytes or more is tested eight at a time, the last eight overlapping
// the ones before: a byte is a digit when its high half is 3 and stays 3 once 6 is added to it (a byte
// that overflows into the next is already no digit).
inline bool allDigits(std::string_view text) noexcept {
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    const auto digitsAt = [text](std::size_t at) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + at, sizeof word);
        return (word & kOnes * 0xF0) == kOnes * 0x30 &&
               ((word + kOnes * 0x06) & kOnes * 0xF0) == kOnes * 0x30;
    };
    if (text.size() < 8) {
        // Through a lambda, which the compiler inlines, not a pointer to the function, which it
        // calls for every byte.
        return std::all_of(text.begin(), text.end(), [](char c) { return isDigit(c); });
    }
    for (std::size_t at = 0; at + 8 < text.size(); at += 8) {
        if (!digitsAt(at)) {
            return false;
        }
    }
    return digitsAt(text.size() - 8);
}

} // namespace sintegra
