#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "verify/file_header.hpp"
#include "verify/finding.hpp"
#include "verify/relation_checker.hpp"
#include "verify/structure_checker.hpp"
#include "verify/totals_checker.hpp"

namespace sintegra::verify {

// What a checker looks at. The shape of the file (the record types, the width of each line, the
// order of the records, the type 90 records and their totals) and the fields of each record need no
// other line; the relations among records remember codes and documents, and cost memory besides.
enum class Scope { ShapeAndFields, Everything };

// Checks the lines of one file against the layout as they stream by, in file order, and puts what
// it finds in the sink. Line by line it checks the structure and the fields; at the end, what needs
// the whole file: the relations among records and the totals.
class Checker {
public:
    // relationsLimit: how many product codes and type 50 documents the checks across records
    // remember at most.
    explicit Checker(FindingSink& sink, Scope scope = Scope::Everything,
                     std::size_t relationsLimit = SIZE_MAX)
        : sink_(sink)
        , related_(scope == Scope::Everything)
        , relations_(relationsLimit) {}

    // A record line without its line end, numbered from 1.
    void line(std::string_view text, std::uint64_t number) { line(text, number, text.size()); }
    // The same for a line of which only the first bytes are at hand: head holds at least every field
    // of its kind (the layout's widest record), width is the whole line's.
    void line(std::string_view head, std::uint64_t number, std::size_t width);
    // The end of the file.
    void finish();

    const FileHeader& header() const { return header_; }

private:
    void readHeader(std::string_view line, std::uint64_t number);
    void reportPeriod(const Check& check, std::uint64_t number, std::string_view detail);

    FindingSink& sink_;
    bool related_;
    FileHeader header_;
    StructureChecker structure_;
    RelationChecker relations_;
    TotalsChecker totals_;
    std::string padded_; // a short line, padded to its kind's width
};

// How many bytes of a line Checker::line needs to see.
inline constexpr std::size_t kCheckedBytes = 512;

} // namespace sintegra::verify
