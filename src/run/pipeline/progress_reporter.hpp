#pragma once

#include <cstdint>

#include "run/run_request.hpp"

namespace sintegra {

// Thrown where the sink asked to stop the run.
struct RunCancelled {};

// Reports a phase's progress to the sink a bounded number of times, whatever its size, and stops
// the run where the sink asks. Every report may throw RunCancelled.
class ProgressReporter {
public:
    explicit ProgressReporter(ProgressSink& sink)
        : sink_(sink) {}

    void begin(Phase phase, std::uint64_t total);
    void advance(std::uint64_t done) {
        if (done >= next_) {
            report(done);
        }
    }
    void finish() { report(total_); }

private:
    void report(std::uint64_t done);

    ProgressSink& sink_;
    Phase phase_ = Phase::Resetting;
    std::uint64_t total_ = 0;
    std::uint64_t step_ = 1;
    std::uint64_t next_ = 0;
};

} // namespace sintegra
