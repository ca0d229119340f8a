#pragma once

#include <string>

namespace sintegra {
class Engine;
class RunHost;
} // namespace sintegra

namespace sintegra::app {

// How a run ended, in the window's terms.
struct RunOutcome {
    enum class Kind { Completed, NoFileSelected, Cancelled, Failed };
    Kind kind = Kind::Completed;
    std::string message; // for the user; none when Cancelled
    std::string details; // the summary of a completed run
    std::string joined;  // the output of a completed join, which the user may not know where to find
};

// Runs the engine once; every failure becomes an outcome, since nothing may escape a worker thread.
RunOutcome runEngine(Engine& engine, RunHost& host);

} // namespace sintegra::app
