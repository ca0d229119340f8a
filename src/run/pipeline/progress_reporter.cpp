#include "run/pipeline/progress_reporter.hpp"

#include <algorithm>

namespace sintegra {
namespace {

constexpr std::uint64_t kReportsPerPhase = 200;

} // namespace

void ProgressReporter::begin(Phase phase, std::uint64_t total) {
    phase_ = phase;
    total_ = total;
    step_ = std::max<std::uint64_t>(1, total / kReportsPerPhase);
    report(0);
}

void ProgressReporter::report(std::uint64_t done) {
    done = std::min(done, total_);
    next_ = done + step_;
    if (!sink_.progress({phase_, done, total_})) {
        throw RunCancelled{};
    }
}

} // namespace sintegra
