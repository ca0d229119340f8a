#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace sintegra::verify {

enum class Severity : std::uint8_t {
    Error,   // the state's validator refuses the file
    Warning, // worth a look, but the file is accepted
};

// One kind of problem the verification looks for.
struct Check {
    std::string_view code; // short and stable: reports and other programs key on it
    Severity severity;
    std::string_view title; // what the problem is, in Portuguese
};

// One problem found at one place of a file.
struct Finding {
    const Check* check = nullptr;
    std::uint64_t line = 0;        // counted from 1; 0 when it concerns the whole file
    std::uint16_t firstColumn = 0; // counted from 1; 0 when it concerns no columns
    std::uint16_t lastColumn = 0;
    std::string record;     // the record type and sub-type, as "54" or "60D"
    std::string_view field; // the field's name in the layout
    std::string value;      // the bytes found there
    std::string detail;     // what is wrong with them, in Portuguese
};

inline Finding makeFinding(const Check& check, std::uint64_t line, std::uint16_t firstColumn,
                           std::uint16_t lastColumn, std::string_view record, std::string_view field,
                           std::string value, std::string detail) {
    return {&check,           line, firstColumn, lastColumn, std::string(record), field, std::move(value),
            std::move(detail)};
}

// Where the checks put what they find, as they find it.
class FindingSink {
public:
    // Counts a finding of the check; true when the sink wants it in full, through add().
    virtual bool wants(const Check& check) = 0;
    virtual void add(Finding&& finding) = 0;
    // How many findings of the check the sink wants in full, at most: a check that finds its
    // problems out of line order sorts only that many. SIZE_MAX: every one.
    virtual std::size_t shown(const Check&) const { return SIZE_MAX; }

protected:
    ~FindingSink() = default;
};

// Hands a finding of the check to the sink, built by make() only when the sink wants it: a file
// can hold millions of findings, of which a report shows a few.
template <class Make>
void report(FindingSink& sink, const Check& check, Make&& make) {
    if (sink.wants(check)) {
        sink.add(make());
    }
}

} // namespace sintegra::verify
