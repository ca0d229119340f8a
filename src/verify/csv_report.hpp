#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

#include "verify/finding.hpp"

namespace sintegra::verify {

// Findings as CSV for the spreadsheets used in Brazil: ";" between fields, CR LF after each row, in
// Windows-1252. Texts of the program are converted to it; the bytes of the file (record and value)
// are written as they are, since they are single-byte already. No cell begins as a formula.

// The column names.
std::string csvHeader();
// One row: line, columns, record, field, value, check, severity and what is wrong.
std::string csvRow(const Finding& finding);

// Writes the header, then each finding as a row as soon as it is found.
class CsvReportWriter final : public FindingSink {
public:
    explicit CsvReportWriter(std::ostream& out);

    bool wants(const Check& check) override;
    void add(Finding&& finding) override;

    std::uint64_t errors() const { return errors_; }

private:
    std::ostream& out_;
    std::uint64_t errors_ = 0;
};

// UTF-8 text in Windows-1252: the letters of Portuguese, º and ª; anything else outside ASCII as "?".
std::string toCp1252(std::string_view utf8);

} // namespace sintegra::verify
