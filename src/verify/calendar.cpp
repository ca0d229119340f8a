#include "verify/calendar.hpp"

#include "layout/digits.hpp"

namespace sintegra::verify {
namespace {

std::optional<int> digits(std::string_view text) {
    if (text.empty() || !allDigits(text)) {
        return std::nullopt;
    }
    int value = 0;
    for (const char c : text) {
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

std::optional<Day> parseDate(std::string_view text) {
    if (text.size() != 8) {
        return std::nullopt;
    }
    const auto year = digits(text.substr(0, 4));
    const auto month = digits(text.substr(4, 2));
    const auto day = digits(text.substr(6, 2));
    if (!year || !month || !day) {
        return std::nullopt;
    }
    const std::chrono::year_month_day date{std::chrono::year(*year), std::chrono::month(unsigned(*month)),
                                           std::chrono::day(unsigned(*day))};
    return date.ok() ? std::optional<Day>(Day(date)) : std::nullopt;
}

std::optional<std::chrono::year_month> parseMonth(std::string_view text) {
    if (text.size() != 6) {
        return std::nullopt;
    }
    const auto month = digits(text.substr(0, 2));
    const auto year = digits(text.substr(2, 4));
    if (!month || !year) {
        return std::nullopt;
    }
    const std::chrono::year_month result{std::chrono::year(*year), std::chrono::month(unsigned(*month))};
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
