#pragma once

namespace sintegra {

class AtomicFile;
class InputCheck;
class InputFile;
class ProgressReporter;
class StagingLoad;
struct Cleaning;
struct LineBlock;
template <class T>
class Channel;

// Where a pass over the first input file sends its normalized lines besides the stage of the rows:
// to a file, joined by CR LF with none after the last; its lines as read, to be checked; and what
// the reading changed of them, to be told. Any may be left out.
struct FirstFilePass {
    AtomicFile* normalized = nullptr;
    InputCheck* check = nullptr;
    Cleaning* cleaning = nullptr;
};

// Reads the first input file once: cleans its bytes, splits and fits its lines, and sends them in
// blocks to rows, and to the pass.
void readFirstFile(InputFile& input, Channel<LineBlock>& rows, const FirstFilePass& pass);

// Reads the second input file as it stands but for its byte-order mark, its Ctrl-Z bytes and the
// blanks before its lines' codes, which it notes in cleaning: its lines go in blocks to rows, and to
// the check.
void readSecondFile(InputFile& input, Channel<LineBlock>& rows, InputCheck& check, Cleaning& cleaning);

// Stages the rows of a block of lines, if there is a load, and reports the input read.
void stageRows(StagingLoad* load, const LineBlock& block, ProgressReporter& progress);

} // namespace sintegra
