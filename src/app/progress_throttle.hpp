#pragma once

#include <chrono>
#include <optional>

#include "run/run_request.hpp"

namespace sintegra::app {

// Chooses which of the engine's progress reports reach the window: the first and the last of each
// phase, and otherwise at most one an interval, so that a fast phase cannot flood the event queue.
class ProgressThrottle {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr Clock::duration kInterval = std::chrono::milliseconds(40);

    bool pass(const Progress& progress, Clock::time_point now);

private:
    std::optional<Phase> phase_;
    Clock::time_point last_{};
};

} // namespace sintegra::app
