#pragma once

namespace sintegra {

class AtomicFile;
class InputFile;
class ProgressReporter;
class StagingLoad;

// Reads the first input file once: cleans its bytes, normalizes its lines, writes them to
// normalized joined by CR LF (none after the last), and stages them.
void loadFirstFile(InputFile& input, AtomicFile& normalized, StagingLoad& load, ProgressReporter& progress);

// Reads the second input file as it stands, up to its first Ctrl-Z, and stages its lines.
void loadSecondFile(InputFile& input, StagingLoad& load, ProgressReporter& progress);

} // namespace sintegra
