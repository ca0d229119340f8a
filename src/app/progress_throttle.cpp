#include "app/progress_throttle.hpp"

namespace sintegra::app {

bool ProgressThrottle::pass(const Progress& progress, Clock::time_point now) {
    const bool newPhase = phase_ != progress.phase;
    if (!newPhase && progress.done < progress.total && now - last_ < kInterval) {
        return false;
    }
    phase_ = progress.phase;
    last_ = now;
    return true;
}

} // namespace sintegra::app
