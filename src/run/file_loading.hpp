#pragma once

#include <cstdint>
#include <string_view>

namespace sintegra {

class AtomicFile;
class InputCheck;
class InputFile;
class ProgressReporter;
class StagingLoad;

// The normalized lines of a pass over the first input file, counted and hashed, so that a later
// pass can tell whether it read the same lines.
class NormalizedDigest {
public:
    void add(std::string_view line) noexcept;
    bool operator==(const NormalizedDigest& other) const = default;

private:
    std::uint64_t lines_ = 0;
    std::uint64_t hash_ = 0;
};

// Where a pass over the first input file sends its normalized lines: to the staging tables, and
// to a file, joined by CR LF with none after the last; and its lines as read, to be checked. Any
// may be left out.
struct FirstFilePass {
    StagingLoad* load = nullptr;
    AtomicFile* normalized = nullptr;
    InputCheck* check = nullptr;
};

// Reads the first input file once: cleans its bytes and normalizes its lines, for the pass.
NormalizedDigest passFirstFile(InputFile& input, const FirstFilePass& pass, ProgressReporter& progress);

// Reads the second input file as it stands, up to its first Ctrl-Z, stages its lines and has them
// checked.
void loadSecondFile(InputFile& input, StagingLoad& load, InputCheck& check, ProgressReporter& progress);

} // namespace sintegra
