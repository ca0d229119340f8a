#include "run/byte_cleaning.hpp"

namespace sintegra {

std::size_t cleanBytes(char* data, std::size_t size) noexcept {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const char byte = data[i];
        if (byte == '\x1a') {
            continue;
        }
        data[kept++] = (byte == '\0' || byte == ',') ? ' ' : byte;
    }
    return kept;
}

} // namespace sintegra
