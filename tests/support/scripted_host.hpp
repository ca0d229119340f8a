#pragma once

#include <functional>
#include <string>
#include <vector>

#include "run/run_host.hpp"

namespace sintegra::test {

// A host whose answers the test sets beforehand, and which records how the run used it.
struct ScriptedHost : RunHost {
    std::string first;
    std::string second;
    Mode runMode = Mode::Analyse;
    bool copies = true;
    // Called at every report; returning false cancels the run there.
    std::function<bool(const Progress&)> onProgress;

    int firstReads = 0;
    int secondReads = 0;
    int modeReads = 0;
    std::vector<Phase> phases; // each phase once, in the order reported

    std::string firstPath() override {
        ++firstReads;
        return first;
    }
    std::string secondPath() override {
        ++secondReads;
        return second;
    }
    Mode mode() override {
        ++modeReads;
        return runMode;
    }
    bool keepCopies() override { return copies; }
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
