#include "staging/record_keys.hpp"

#include <algorithm>

#include "staging/ascii_case.hpp"

namespace sintegra {
namespace {

constexpr std::size_t kProductCodeColumn = 19;
constexpr std::size_t kProductCodeSize = 14;

// The sub-type letter, or NUL when the line has no third character or its code is not "60".
char subType(std::string_view registro) {
    return registro.size() >= 3 && registro.starts_with("60") ? upperAscii(registro[2]) : '\0';
}

// Appends the bytes of columns [column, column + size) that the line has, like SQL's substr.
void appendColumns(Type60Order& order, std::string_view registro, std::size_t column, std::size_t size) {
    const std::string_view part = registro.substr(std::min(registro.size(), column - 1), size);
    std::copy(part.begin(), part.end(), order.data.begin() + static_cast<std::ptrdiff_t>(order.dataSize));
    order.dataSize += part.size();
}

} // namespace

std::optional<std::string_view> productKey(std::string_view registro) {
    if (registro.size() < kProductCodeColumn) {
        return std::nullopt;
    }
    return registro.substr(kProductCodeColumn - 1, kProductCodeSize);
}

Type60Order type60Order(std::string_view registro) {
    Type60Order order;
    const char sub = subType(registro);
    if (sub == 'R') {
        appendColumns(order, registro, 6, 4);
        appendColumns(order, registro, 4, 2);
        appendColumns(order, "99", 1, 2);
    } else {
        appendColumns(order, registro, 4, 8);
    }
    constexpr std::string_view ranked = "MADI";
    const std::size_t rank = sub == '\0' ? std::string_view::npos : ranked.find(sub);
    order.tipo = rank == std::string_view::npos ? 5 : static_cast<int>(rank) + 1;
    return order;
}

} // namespace sintegra
