#pragma once

#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace sintegra {

// What failed: the front ends switch on it, and the user's words are made from it and the data of the
// Error in one place (words/error_words.cpp).
enum class ErrorKind {
    // A file or folder that the system refused: file names it, cause says why.
    CannotOpen,
    CannotRead,
    CannotCreateTemp, // file is the target beside which the temporary file goes
    CannotWrite,
    CannotReplace,
    CannotCreateFolder,
    NotRegularFile, // a link where the program keeps its own files, a FIFO or a device
    FileWriteProtected,
    FolderWriteProtected, // file is the folder
    CopiesFolderUnusable, // file is the copies folder: a link or a file
    // The program folder and its staging store.
    ProgramFolderMissing, // file is the folder
    FolderInUse,          // another running copy holds the program folder
    TemplateMissing,      // file is the folder where Sintegra.mod was looked for
    TemplateIncomplete,   // file is the template: it lacks the staging tables
    TemplateUnusable,     // file is the template; cause, an SQLite code, says why
    TemplateNotCopied,    // from file to secondFile
    StoreNotRemoved,      // file is the store or one of its journals
    StoreNotRegularFile,  // file is the store or one of its journals
    StoreFailed,          // file is the store
    // An input that is not a SINTEGRA file, and why.
    OtherFormat,
    NotText,
    NoRecord,
    NotRecords,
    LineTooLong, // line is the line
    // An input written to by another program after the run read it.
    ChangedMeanwhile,
    // Anything else that stopped a run or a start.
    OutOfMemory,
    ResourceRefused, // cause says which
    Unexpected,      // detail holds what the exception said, if anything
};

// A user file already replaced when a later one could not be, and where its old bytes are (empty:
// nowhere).
struct ReplacedTarget {
    std::string file;
    std::string copy;
};

// A run or a start that could not be completed, as data. Paths are UTF-8 text, as the user reads them.
struct Error : std::exception {
    explicit Error(ErrorKind errorKind, std::string errorFile = {}, std::error_code errorCause = {})
        : kind(errorKind)
        , file(std::move(errorFile))
        , cause(errorCause) {}
    // For a test or a log, in English: the kind, the file and the line, made from the fields each time
    // it is asked. The user's words are errorWords(*this).
    const char* what() const noexcept override;

    ErrorKind kind;
    std::string file;
    std::string secondFile;
    std::error_code cause;
    std::optional<std::uint64_t> line; // numbered from 1
    std::string detail;                // a library's own words where ours have none
    // Non-empty when files had changed before the failure and could not be given their old bytes back.
    std::vector<ReplacedTarget> replaced;

private:
    mutable std::string message_;
};

// The name of the kind, as the code spells it.
const char* kindName(ErrorKind kind);

// Any failure of a run or a start as an Error: memory exhausted, a resource the system refused (a
// thread it would not start) and any other exception among them.
Error errorOf(const std::exception_ptr& failure);

} // namespace sintegra
