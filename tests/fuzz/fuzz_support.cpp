#include "fuzz_support.hpp"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>

#include "verify/file_shape.hpp"

namespace sintegra::fuzz {

void check(bool holds, std::string_view invariant) {
    if (!holds) {
        std::fprintf(stderr, "invariant broken: %.*s\n", static_cast<int>(invariant.size()),
                     invariant.data());
        std::abort();
    }
}

std::vector<std::string_view> randomPieces(std::string_view input, std::size_t largest) {
    std::minstd_rand random(static_cast<std::uint32_t>(std::hash<std::string_view>{}(input)));
    std::uniform_int_distribution<std::size_t> size(0, largest);
    std::vector<std::string_view> pieces;
    while (!input.empty()) {
        const std::size_t taken = std::min(size(random), input.size());
        pieces.push_back(input.substr(0, taken));
        input.remove_prefix(taken);
    }
    return pieces;
}

std::vector<std::string> modelLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') {
            line += bytes[i];
            continue;
        }
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            ++i;
        }
        lines.push_back(std::move(line));
        line.clear();
    }
    if (!line.empty()) {
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string modelCleaned(std::string_view bytes) {
    std::string cleaned;
    for (const char byte : bytes) {
        if (byte != '\x1a') {
            cleaned += byte == '\0' || byte == ',' ? ' ' : byte;
        }
    }
    return cleaned;
}

std::string_view modelUpToEnd(std::string_view bytes) {
    return bytes.substr(0, bytes.find('\x1a'));
}

bool hasShape(const std::vector<std::string>& lines) {
    verify::FileShape shape;
    for (const std::string& line : lines) {
        shape.addBytes(line);
        shape.endLine();
    }
    try {
        shape.finish();
        return true;
    } catch (const verify::NotSintegra&) {
        return false;
    }
}

} // namespace sintegra::fuzz
