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

// What a run needs of the program that starts it: the window or the command line. The run reads
// each value at the moments its documentation names.
class RunHost {
public:
    virtual ~RunHost() = default;
    // The first input file; empty or "." when none was chosen. Read after the tables are emptied.
    virtual std::string firstPath() = 0;
    // The second input file, empty or "." for none. Read after the first file has been loaded.
    virtual std::string secondPath() = 0;
    // Read when the first file's load starts, to foresee whether the first file's normalized form
    // is kept, and again when the output assembly starts: that answer decides.
    virtual Mode mode() = 0;
    // Whether the old bytes of the files replaced are kept in Copias. Read when they are replaced.
    virtual bool keepCopies() { return true; }
    // Called at most a few hundred times a phase; returning false cancels the run there.
    virtual bool progress(const Progress& progress) = 0;
};

} // namespace sintegra
