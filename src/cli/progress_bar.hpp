#pragma once

#include <chrono>
#include <ostream>

#include "run/run_request.hpp"

namespace sintegra::cli {

// A one-line progress bar for a terminal, redrawn at most ten times a second.
class ProgressBar {
public:
    explicit ProgressBar(std::ostream& terminal)
        : terminal_(terminal) {}

    void show(const Progress& progress);
    // Clears the line, so that what follows starts on a clean one.
    void clear();

private:
    std::ostream& terminal_;
    std::chrono::steady_clock::time_point lastDraw_{};
    Phase lastPhase_ = Phase::Resetting;
    bool drawn_ = false;
};

} // namespace sintegra::cli
