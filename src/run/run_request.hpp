#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sintegra {

enum class Mode { Analyse, Join };

// Verifying is a check of one file on its own, which changes nothing.
enum class Phase { Resetting, Normalizing, LoadingSecond, RemovingDuplicates, Assembling, Saving, Verifying };

struct Progress {
    Phase phase;
    std::uint64_t done;
    std::uint64_t total; // done never exceeds total
};

// What a run is asked to do, read once before it starts: it takes nothing else from the program
// that starts it.
struct RunRequest {
    Mode mode = Mode::Analyse;
    std::string first;      // the first input file; empty or "." when none was chosen
    std::string second;     // the second, read in join mode only; empty or "." for none
    bool keepCopies = true; // whether the old bytes of the files replaced are kept in Copias
};

// Where a run reports its progress: the window or the command line.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    // Called at most a few hundred times a phase; returning false cancels the run there.
    virtual bool progress(const Progress& progress) = 0;
};

} // namespace sintegra
