#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "layout/line_splitter.hpp"
#include "verify/checker.hpp"
#include "verify/ctrl_z.hpp"
#include "verify/file_shape.hpp"

namespace sintegra::verify {

// Whether the bytes' shape is judged first: those of a file a user picked may be anything; the
// run's own output is known to be records.
enum class ShapeCheck { Judged, Skipped };

// Checks a file from its bytes, fed in pieces of any size as they are read: cuts them into lines,
// judges whether they are a SINTEGRA file at all, and checks the lines against the layout, putting
// the findings in the sink as they come. The one way a file is checked, whoever reads it.
class StreamCheck {
public:
    // Judges the shape only, for a sink that cannot take back what it was given.
    StreamCheck();
    // Every check of scope, with its findings in sink.
    explicit StreamCheck(FindingSink& sink, Scope scope = Scope::Everything,
                         std::size_t relationsLimit = SIZE_MAX, ShapeCheck shape = ShapeCheck::Judged);
    StreamCheck(const StreamCheck&) = delete;
    StreamCheck& operator=(const StreamCheck&) = delete;

    // Throws LineTooLong when the shape is judged. Ctrl-Z is removed, as a run's reading removes it.
    void feed(std::string_view bytes);
    // The same for a reader that has cut the lines already, so that they are not cut twice: the
    // bytes of a line, in pieces, then its end (a LineSink). Each line goes to the shape and to the
    // checks, those that there are; of a line, the checks get its first bytes, as many as they read,
    // and its width, so that a line of any length costs the same.
    void addBytes(std::string_view bytes);
    void endLine();
    // After the last byte. Throws NotSintegra when the shape is judged.
    void finish();

    // The lines ended so far, blank ones too.
    std::uint64_t lines() const { return lines_; }
    // The width so far of the line being fed, when there are checks.
    std::size_t lineWidth() const { return width_; }
    // What the type 10 record says, once the lines are checked.
    const FileHeader& header() const { return checker_->header(); }

private:
    FindingSink* sink_ = nullptr;
    std::optional<Checker> checker_;
    CtrlZMarks ctrlZ_;
    std::optional<FileShape> shape_;
    LineSplitter splitter_;
    std::string head_; // the first bytes of the line being fed, when there are checks
    std::size_t width_ = 0;
    std::uint64_t lines_ = 0;
};

static_assert(LineSink<StreamCheck>);

} // namespace sintegra::verify
