#include "verify/calendar.hpp"

#include "layout/digits.hpp"

namespace sintegra::verify {
namespace {

// The number that size digits at at write; the caller knows they are digits.
unsigned numberAt(std::string_view text, std::size_t at, std::size_t size) {
    unsigned value = 0;
    for (const char c : text.substr(at, size)) {
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value;
}

} // namespace

// Every date field of every line comes here: its digits are tested at once, then read.
std::optional<Day> parseDate(std::string_view text) {
    if (text.size() != 8 || !allDigits(text)) {
        return std::nullopt;
    }
    const std::chrono::year_month_day date{std::chrono::year(static_cast<int>(numberAt(text, 0, 4))),
                                           std::chrono::month(numberAt(text, 4, 2)),
                                           std::chrono::day(numberAt(text, 6, 2))};
    return date.ok() ? std::optional<Day>(Day(date)) : std::nullopt;
}

std::optional<std::chrono::year_month> parseMonth(std::string_view text) {
    if (text.size() != 6 || !allDigits(text)) {
        return std::nullopt;
    }
    const std::chrono::year_month result{std::chrono::year(static_cast<int>(numberAt(text, 2, 4))),
                                         std::chrono::month(numberAt(text, 0, 2))};
    return result.ok() ? std::optional(result) : std::nullopt;
}

bool Period::touches(std::chrono::year_month month) const {
    const Day start{month / std::chrono::day(1)};
    const Day end{month / std::chrono::last};
    return start <= last && first <= end;
}

bool isWholeMonth(Day first, Day last) {
    const std::chrono::year_month_day start{first};
    return start.day() == std::chrono::day(1) &&
           last == Day(start.year() / start.month() / std::chrono::last);
}

} // namespace sintegra::verify
