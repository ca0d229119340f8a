#include "fuzz_support.hpp"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iterator>
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

namespace {

std::string withoutMarks(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    }
    std::string kept;
    std::copy_if(bytes.begin(), bytes.end(), std::back_inserter(kept),
                 [](char byte) { return byte != '\x1a'; });
    return kept;
}

} // namespace

std::string modelCleaned(std::string_view bytes) {
    std::string cleaned = withoutMarks(bytes);
    std::replace_if(
        cleaned.begin(), cleaned.end(), [](char byte) { return byte == '\0' || byte == ','; }, ' ');
    return cleaned;
}

std::string modelSecondRead(std::string_view bytes) {
    return withoutMarks(bytes);
}

std::string withoutLeadingBlanks(std::string_view line) {
    return std::string(line.substr(std::min(line.find_first_not_of(" \t"), line.size())));
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
