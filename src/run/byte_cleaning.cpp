#include "run/byte_cleaning.hpp"

#include <cstring>
#include <initializer_list>

namespace sintegra {
namespace {

// Most files hold none of the three bytes: finding the first is all the work there is.
std::size_t firstToClean(const char* data, std::size_t size) {
    std::size_t first = size;
    for (const char byte : {'\0', ',', '\x1a'}) {
        const void* found = std::memchr(data, byte, first);
        if (found != nullptr) {
            first = static_cast<std::size_t>(static_cast<const char*>(found) - data);
        }
    }
    return first;
}

} // namespace

std::size_t cleanBytes(char* data, std::size_t size) noexcept {
    std::size_t kept = firstToClean(data, size);
    for (std::size_t i = kept; i < size; ++i) {
        const char byte = data[i];
        data[kept] = (byte == '\0' || byte == ',') ? ' ' : byte;
        kept += byte == '\x1a' ? 0 : 1;
    }
    return kept;
}

} // namespace sintegra
