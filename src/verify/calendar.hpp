#pragma once

#include <chrono>
#include <optional>
#include <string_view>

namespace sintegra::verify {

using Day = std::chrono::sys_days;

// A date written AAAAMMDD, if it exists.
std::optional<Day> parseDate(std::string_view text);
// A month written MMAAAA, if it exists.
std::optional<std::chrono::year_month> parseMonth(std::string_view text);

// The days a file informs about, both ends included.
struct Period {
    Day first;
    Day last;

    bool contains(Day day) const { return first <= day && day <= last; }
    // Whether some day of the month lies within the period.
    bool touches(std::chrono::year_month month) const;
};

// Whether first and last are the first and the last day of one month.
bool isWholeMonth(Day first, Day last);

} // namespace sintegra::verify
