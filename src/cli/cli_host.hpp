#pragma once

#include <atomic>
#include <optional>
#include <string>

#include "cli/progress_bar.hpp"
#include "run/run_host.hpp"

namespace sintegra::cli {

// The answers of the command line are fixed before the run starts.
class CliHost : public RunHost {
public:
    CliHost(Mode mode, std::string first, std::string second, ProgressBar* bar,
            const std::atomic<bool>& interrupted, bool keepCopies = true)
        : mode_(mode)
        , first_(std::move(first))
        , second_(std::move(second))
        , bar_(bar)
        , interrupted_(interrupted)
        , keepCopies_(keepCopies) {}

    std::string firstPath() override { return first_; }
    std::string secondPath() override { return second_; }
    Mode mode() override { return mode_; }
    bool keepCopies() override { return keepCopies_; }
    bool progress(const Progress& progress) override;

private:
    Mode mode_;
    std::string first_;
    std::string second_;
    ProgressBar* bar_;
    const std::atomic<bool>& interrupted_;
    bool keepCopies_;
};

} // namespace sintegra::cli
