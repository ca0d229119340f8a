#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "run/run_request.hpp"

namespace sintegra::test {

// A request that the test sets beforehand, and a sink that records how the run reported.
struct ScriptedHost : ProgressSink {
    std::string first;
    std::string second;
    Mode runMode = Mode::Analyse;
    bool copies = true;
    // Called at every report; returning false cancels the run there.
    std::function<bool(const Progress&)> onProgress;

    std::vector<Phase> phases; // each phase once, in the order reported

    RunRequest request() const { return {runMode, first, second, copies}; }
    bool progress(const Progress& progress) override {
        if (progress.done > progress.total) {
            throw std::logic_error("progress past its total");
        }
        if (phases.empty() || phases.back() != progress.phase) {
            phases.push_back(progress.phase);
        }
        return !onProgress || onProgress(progress);
    }
};

} // namespace sintegra::test
