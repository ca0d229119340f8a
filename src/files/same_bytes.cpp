#include "files/same_bytes.hpp"

#include <algorithm>
#include <array>
#include <fstream>

namespace sintegra {

bool sameBytes(const std::filesystem::path& path, const std::filesystem::path& other, std::uintmax_t size) {
    std::error_code error;
    if (std::filesystem::file_size(path, error) != size || error ||
        std::filesystem::file_size(other, error) != size || error) {
        return false;
    }
    std::ifstream first(path, std::ios::binary);
    std::ifstream second(other, std::ios::binary);
    constexpr std::size_t kPiece = 1 << 16;
    std::array<char, kPiece> mine{}, theirs{};
    for (std::uintmax_t left = size; left > 0;) {
        const auto piece = static_cast<std::streamsize>(std::min<std::uintmax_t>(left, kPiece));
        if (!first.read(mine.data(), piece) || !second.read(theirs.data(), piece) ||
            !std::equal(mine.begin(), mine.begin() + piece, theirs.begin())) {
            return false;
        }
        left -= static_cast<std::uintmax_t>(piece);
    }
    return true;
}

} // namespace sintegra
