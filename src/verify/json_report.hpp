#pragma once

#include <cstdint>
#include <ostream>
#include <string_view>

#include "verify/finding.hpp"

namespace sintegra::verify {

// Writes the findings as one JSON document for other programs, each as soon as it is found:
// {"file": ..., "findings": [{"line", "columns", "record", "field", "value", "code", "severity",
// "message"}, ...], "errors": N, "warnings": N}. Text is UTF-8 (see displayText).
class JsonReportWriter final : public FindingSink {
public:
    JsonReportWriter(std::ostream& out, std::string_view file);

    bool wants(const Check& check) override;
    void add(Finding&& finding) override;
    // Closes the list and the document with the counts.
    void finish();

    std::uint64_t errors() const { return errors_; }
    std::uint64_t warnings() const { return warnings_; }

private:
    std::ostream& out_;
    std::uint64_t errors_ = 0;
    std::uint64_t warnings_ = 0;
    std::uint64_t written_ = 0;
};

} // namespace sintegra::verify
