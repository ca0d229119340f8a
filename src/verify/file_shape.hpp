#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "layout/line_sink.hpp"

namespace sintegra::verify {

// No record comes near this length: a longer line is not read on, whatever the file.
inline constexpr std::size_t kMaxLineSize = std::size_t{1} << 20;

// Thrown as soon as a line grows past kMaxLineSize.
struct LineTooLong {};

// Why a file is not a SINTEGRA file.
enum class ShapeFault { OtherFormat, NotText, NoRecord, NotRecords };

// Thrown at the end of a file that is not a SINTEGRA file.
struct NotSintegra {
    ShapeFault fault;
};

// Tells a SINTEGRA file from what a user may pick by mistake (an archive, a picture, a spreadsheet's
// export, a letter) from its lines as they are read, holding none of them. A SINTEGRA file:
// - does not begin as an archive, a document, a picture or a program does (zip, gzip, PDF, PNG...);
// - holds few bytes that no text file holds: control bytes other than Tab, NUL and Ctrl-Z, at most
//   kFewControls of them or one in a thousand bytes;
// - has a line of the form of a record, and more than half of its non-blank lines have it: after any
//   leading blanks, the code of a record type of the layout whose first numeric or date field holds
//   digits (blanks allowed) or, for a CNPJ, an alphanumeric one, in a line no wider than
//   kMaxRecordForm; a type 88 line of a sub-record that the layout lacks needs only its code. Of
//   types 10 and 11, which a file has once, only the first kHeaderLines lines count; a UTF-8
//   byte-order mark at its start is no part of its first line;
// - has no line longer than kMaxLineSize.
class FileShape {
public:
    static constexpr std::uint64_t kFewControls = 8;
    static constexpr std::size_t kMaxRecordForm = 512;
    static constexpr std::uint64_t kHeaderLines = 4;

    // Throws LineTooLong.
    void addBytes(std::string_view bytes);
    void endLine();
    // Throws NotSintegra.
    void finish() const;

    // The lines ended so far, blank ones too.
    std::uint64_t lines() const { return lines_; }

private:
    bool hasRecordForm();

    std::string head_; // the line's first bytes after its leading blanks
    std::size_t width_ = 0;
    std::uint64_t lines_ = 0;
    std::uint64_t bytes_ = 0;
    std::uint64_t controls_ = 0;
    std::uint64_t filled_ = 0; // non-blank lines
    std::uint64_t records_ = 0;
    std::uint64_t headers_[2] = {};
    bool otherFormat_ = false;
};

static_assert(LineSink<FileShape>);

} // namespace sintegra::verify
