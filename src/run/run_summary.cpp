#include "run/run_summary.hpp"

#include <numeric>

namespace sintegra {

void LineNumbers::note(std::uint64_t line) {
    if (count > 0 && last == line) {
        return;
    }
    if (count++ < kLinesNamed) {
        first.push_back(line);
    }
    last = line;
}

std::uint64_t RunSummary::outputLines() const {
    return std::accumulate(written.begin(), written.end(), type10Records + type11Records) + type90Records;
}

} // namespace sintegra
