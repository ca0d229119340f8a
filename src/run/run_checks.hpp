#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "run/line_normalization.hpp"
#include "run/run_summary.hpp"
#include "verify/report.hpp"
#include "verify/stream_check.hpp"

namespace sintegra {

// Verifies an input file as its lines are read, on the thread that reads them, and counts what it
// finds; a file that is not a SINTEGRA file ends the run (verify::FileShape). It makes the checks of
// each line and of the file's shape, as the output gets them, so that the summary compares like with
// like; the checks across records, which remember codes and documents, are made on the output only.
// Of the first file it also notes the lines whose width fitting changed.
class InputCheck {
public:
    InputCheck() = default;
    InputCheck(const InputCheck&) = delete;
    InputCheck& operator=(const InputCheck&) = delete;

    // Bytes of the line as read, cut by the run's reader.
    void addBytes(std::string_view bytes) { check_.addBytes(bytes); }
    void endLine() { check_.endLine(); }
    // The same, with the line as the run keeps it and what fitting did.
    void endLine(std::string_view kept, const Fitting& fitting);
    // The end of the file. Throws verify::NotSintegra.
    void finish() { check_.finish(); }

    const verify::Report& report() const { return report_; }
    const verify::FileHeader& header() const { return check_.header(); }
    std::uint64_t fittedLines() const { return fittedLines_; }
    const std::vector<FittedLine>& fitted() const { return fitted_; }

private:
    verify::Report report_{0};
    verify::StreamCheck check_{report_, verify::Scope::ShapeAndFields};
    std::uint64_t fittedLines_ = 0;
    std::vector<FittedLine> fitted_;
};

static_assert(LineSink<InputCheck>);

// Verifies the output from the bytes written to it: every check, and the first findings of each.
// One checker on a thread of its own: the lines are cut and classified once for all the checks,
// which costs less than two checkers splitting the work on a machine of two cores.
class OutputCheck {
public:
    OutputCheck() = default;
    OutputCheck(const OutputCheck&) = delete;
    OutputCheck& operator=(const OutputCheck&) = delete;

    // Handed every byte written, in order.
    void feed(std::string_view bytes) { check_.feed(bytes); }
    // After the last byte.
    void finish() { check_.finish(); }

    verify::Report& report() { return report_; }

private:
    // A table of 2^18 entries at most, filled to three quarters: about 10 MiB of product codes and
    // 2.5 MiB of documents and of 60M records, so that a run's memory stays flat whatever the file
    // holds.
    static constexpr std::size_t kRelationsLimit = (std::size_t{1} << 18) / 4 * 3;

    verify::Report report_{kFindingsNamed};
    verify::StreamCheck check_{report_, verify::Scope::Everything, kRelationsLimit,
                               verify::ShapeCheck::Skipped};
};

// The joined file keeps the second file's type 10 record, on its first line: checks what that
// hides of the first file's.
void checkJoined(const verify::FileHeader& first, const verify::FileHeader& second, verify::Report& output);

} // namespace sintegra
