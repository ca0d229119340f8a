#include "staging/record_keys.hpp"

#include <algorithm>

#include "layout/ascii_case.hpp"
#include "layout/record_columns.hpp"
#include "layout/record_types.hpp"

namespace sintegra {
namespace {

// The sub-type letter, or NUL when the line has no third character or its code is not "60".
char subType(std::string_view registro) {
    return registro.size() >= kType60SubTypeColumn && registro.starts_with(kCode60)
               ? upperAscii(registro[kType60SubTypeColumn - 1])
               : '\0';
}

// Appends the bytes of columns [column, column + size) that the line has, like SQL's substr.
void appendColumns(Type60Order& order, std::string_view registro, std::size_t column, std::size_t size) {
    const std::string_view part = registro.substr(std::min(registro.size(), column - 1), size);
    std::copy(part.begin(), part.end(), order.date.begin() + static_cast<std::ptrdiff_t>(order.dateSize));
    order.dateSize += part.size();
}

} // namespace

std::optional<ProductKey> productKey(std::string_view registro) {
    static_assert(kProductPeriodColumn + kProductPeriodSize == kProductCodeColumn);
    if (registro.size() < kProductCodeColumn) {
        return std::nullopt;
    }
    return ProductKey{registro.substr(kProductPeriodColumn - 1, kProductPeriodSize),
                      registro.substr(kProductCodeColumn - 1, kProductCodeSize)};
}

Type60Order type60Order(std::string_view registro) {
    Type60Order order;
    const char sub = subType(registro);
    std::string_view serial;
    if (sub == 'R') {
        appendColumns(order, registro, kType60RYearColumn, kType60RYearSize);
        appendColumns(order, registro, kType60RMonthColumn, kType60RMonthSize);
        appendColumns(order, "99", 1, 2);
    } else {
        appendColumns(order, registro, kType60DateColumn, kType60DateSize);
        serial = registro.substr(std::min(registro.size(), kType60SerialColumn - 1), kType60SerialSize);
    }
    const std::size_t rank = sub == '\0' ? std::string_view::npos : kType60SubTypeOrder.find(sub);
    order.tipo = rank == std::string_view::npos ? 5 : static_cast<int>(rank) + 1;
    // The serial number's bytes 0 to 6 follow the date's size, 7 to 14 fill a number, 15 to 19 lead
    // the last one, before the serial number's size and Tipo.
    static_assert(kType60SerialSize == 20);
    order.rank = {bytesRank(order.dateBytes()),
                  static_cast<std::uint64_t>(order.dateSize) << 56 | bytesRank(serial.substr(0, 7)) >> 8,
                  bytesRank(serial.substr(std::min<std::size_t>(7, serial.size()), 8)),
                  bytesRank(serial.substr(std::min<std::size_t>(15, serial.size()))) | serial.size() << 8 |
                      static_cast<std::uint64_t>(order.tipo)};
    return order;
}

std::uint64_t bytesRank(std::string_view bytes) noexcept {
    std::uint64_t rank = 0;
    for (std::size_t i = 0; i < sizeof rank; ++i) {
        rank = rank << 8 | (i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0u);
    }
    return rank;
}

} // namespace sintegra
