#include "run/byte_cleaning.hpp"

#include <algorithm>
#include <cstring>

namespace sintegra {

// Two passes that each run at memory speed: a replacement the compiler vectorizes, then the
// removal of Ctrl-Z, which most files do not hold at all.
std::size_t cleanBytes(char* data, std::size_t size) noexcept {
    for (std::size_t i = 0; i < size; ++i) {
        const char byte = data[i];
        data[i] = (byte == '\0' || byte == ',') ? ' ' : byte;
    }
    if (std::memchr(data, '\x1a', size) == nullptr) {
        return size;
    }
    return static_cast<std::size_t>(std::remove(data, data + size, '\x1a') - data);
}

} // namespace sintegra
