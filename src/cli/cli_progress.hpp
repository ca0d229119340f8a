#pragma once

#include <atomic>

#include "cli/progress_bar.hpp"
#include "run/run_request.hpp"

namespace sintegra::cli {

// The command line's progress: a bar when there is one, and an interrupt that cancels the run.
class CliProgress : public ProgressSink {
public:
    CliProgress(ProgressBar* bar, const std::atomic<bool>& interrupted)
        : bar_(bar)
        , interrupted_(interrupted) {}

    bool progress(const Progress& progress) override;

private:
    ProgressBar* bar_;
    const std::atomic<bool>& interrupted_;
};

} // namespace sintegra::cli
