#pragma once

#include <cstdint>
#include <string_view>

namespace sintegra {

class AtomicFile;
class InputCheck;
class InputFile;
class ProgressReporter;
class StagingLoad;
struct LineBlock;
template <class T>
class Channel;

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

// Where a pass over the first input file sends its normalized lines besides the stage of the rows:
// to a file, joined by CR LF with none after the last; and its lines as read, to be checked. Either
// may be left out.
struct FirstFilePass {
    AtomicFile* normalized = nullptr;
    InputCheck* check = nullptr;
};

// Reads the first input file once: cleans its bytes, splits and fits its lines, and sends them in
// blocks to rows, and to the pass.
NormalizedDigest readFirstFile(InputFile& input, Channel<LineBlock>& rows, const FirstFilePass& pass);

// Reads the second input file as it stands, up to its first Ctrl-Z: its lines go in blocks to rows,
// and to the check.
void readSecondFile(InputFile& input, Channel<LineBlock>& rows, InputCheck& check);

// Stages the rows of a block of lines, if there is a load, and reports the input read.
void stageRows(StagingLoad* load, const LineBlock& block, ProgressReporter& progress);

} // namespace sintegra
