#pragma once

#include <cstdint>
#include <string_view>

#include "verify/finding.hpp"
#include "verify/record_kind.hpp"

namespace sintegra::verify {

// The shape of a file: type 10 first and 11 second, record types the layout knows, in ascending
// order, each line as wide as its kind, and the type 90 records last.
class StructureChecker {
public:
    // width: the whole line's
    void line(std::uint64_t number, std::size_t width, const RecordKind& kind, FindingSink& sink);
    void finish(FindingSink& sink) const;

private:
    void checkPlace(std::uint64_t number, const RecordKind& kind, FindingSink& sink) const;
    void checkOrder(std::uint64_t number, const RecordKind& kind, FindingSink& sink);

    std::uint64_t seen_ = 0;
    int highestType_ = 0;
    bool in90_ = false;
    bool last90_ = false;
    std::uint64_t lastKnown_ = 0;
};

} // namespace sintegra::verify
