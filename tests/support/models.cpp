#include "support/models.hpp"

#include <algorithm>
#include <map>
#include <string_view>
#include <tuple>

namespace sintegra::test {
namespace {

std::string columns(const std::string& line, std::size_t column, std::size_t size) {
    return column <= line.size() ? line.substr(column - 1, size) : std::string();
}

// Date, serial number of the equipment (none for 60R), sub-type.
std::tuple<std::string, std::string, std::size_t> type60Key(const std::string& line) {
    const char sub = line.size() >= 3 ? line[2] : '\0';
    const char upper = sub >= 'a' && sub <= 'z' ? static_cast<char>(sub - 'a' + 'A') : sub;
    const std::size_t rank = std::min<std::size_t>(std::string_view("MADI").find(upper), 4);
    if (upper == 'R') {
        return {columns(line, 6, 4) + columns(line, 4, 2) + "99", "", rank};
    }
    return {columns(line, 4, 8), columns(line, 12, 20), rank};
}

} // namespace

std::vector<std::string> inType60Order(std::vector<std::string> lines) {
    std::ranges::stable_sort(
        lines, [](const std::string& a, const std::string& b) { return type60Key(a) < type60Key(b); });
    return lines;
}

std::vector<std::string> withoutRepeatedProducts(const std::vector<std::string>& lines) {
    std::map<std::string, std::size_t> last;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        last[columns(lines[i], 3, 30)] = i;
    }
    std::vector<std::string> kept;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].size() < 19 || last[columns(lines[i], 3, 30)] == i) {
            kept.push_back(lines[i]);
        }
    }
    return kept;
}

} // namespace sintegra::test
