#pragma once

#include <memory>
#include <string>

#include "app/findings_list.hpp"

namespace sintegra {
class Runner;
class ProgressSink;
struct RunRequest;
} // namespace sintegra

namespace sintegra::app {

// How a run ended, in the window's terms. A check of one file ends Verified.
struct RunOutcome {
    enum class Kind { Completed, Verified, NoFileSelected, Cancelled, Failed };
    Kind kind = Kind::Completed;
    std::string message;                          // for the user; none when Cancelled or Verified
    std::shared_ptr<const FindingsList> findings; // of a completed run or a checked file
    std::string joined; // the output of a completed join, which the user may not know where to find
};

// Runs the request once; every failure becomes an outcome, since nothing may escape a worker thread.
RunOutcome runRequest(Runner& runner, const RunRequest& request, ProgressSink& sink);

// Checks the file at path, read-only, reporting progress to sink; the same about failures.
RunOutcome runVerification(const std::string& path, ProgressSink& sink);

} // namespace sintegra::app
