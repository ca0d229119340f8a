#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "layout/record_types.hpp"
#include "staging/product_keys.hpp"
#include "verify/report.hpp"

namespace sintegra {

// How many lines of each repair the summary names, and how many findings of each check of the
// output; the others are only counted.
inline constexpr std::size_t kLinesNamed = 5;
inline constexpr std::size_t kFindingsNamed = 3;

// Lines of a file by their numbers: how many, and the first ones.
struct LineNumbers {
    std::uint64_t count = 0;
    std::vector<std::uint64_t> first; // counted from 1, at most kLinesNamed
    std::uint64_t last = 0;

    // Lines come in order; a line noted again is not counted again.
    void note(std::uint64_t line);
};

// The lines of one record type code that a file lost.
using DroppedLines = LineNumbers;

// What the reading of a file changed of its bytes before its lines were handled, by line.
struct Cleaning {
    bool byteOrderMark = false; // a UTF-8 one, at the start
    LineNumbers blanked;        // a comma or a NUL became a space
    LineNumbers ctrlZ;          // a Ctrl-Z was left out
    bool ctrlZAtEnd = false;    // with nothing after it but Ctrl-Z
    LineNumbers leadingBlanks;  // spaces or Tabs before the code, left out
    LineNumbers converted;      // UTF-8 text written as Windows-1252
};

// A line of the first file whose width fitting changed.
struct FittedLine {
    std::uint64_t line = 0;
    std::uint64_t width = 0;         // as read
    std::uint64_t leadingBlanks = 0; // removed from its start
    std::uint64_t convertedAway = 0; // bytes fewer once its UTF-8 text was converted
    std::uint64_t fittedWidth = 0;
};

struct FileSummary {
    std::string path;
    std::uint64_t lines = 0;
    std::map<std::string, DroppedLines> dropped; // by record type code
    Cleaning cleaning;
    std::optional<verify::Report> verification; // of the file as read; none for a file read twice
};

// A file the run replaced and where its old bytes were kept.
struct KeptCopy {
    std::string file;
    std::string copy;
};

// What a completed run did, for the user.
struct RunSummary {
    std::string outputPath;
    std::vector<FileSummary> inputs;
    std::vector<KeptCopy> copies;
    bool firstInOrder =
        false; // the run would have rewritten the first file with its own bytes: left as it was
    std::uint64_t type10Records = 0;
    std::uint64_t type11Records = 0;
    PerStagedType<std::uint64_t> written{};
    std::uint64_t type90Records = 0;
    std::uint64_t duplicatesRemoved = 0;
    RepeatedCodes repeatedProducts;
    std::uint64_t fittedLines = 0;
    std::vector<FittedLine> fitted;             // the first ones, at most kLinesNamed
    std::optional<verify::Report> verification; // of the output as written

    std::uint64_t outputLines() const;
};

enum class RunStatus { Completed, NoFileSelected, Cancelled };

struct RunResult {
    RunStatus status = RunStatus::Completed;
    RunSummary summary; // for a completed run
};

} // namespace sintegra
