#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "run/file_verification.hpp"
#include "verify/report.hpp"

namespace sintegra {
struct RunSummary;
}

namespace sintegra::app {

enum class FindingColumn { Line, Record, Field, Value, Message };
inline constexpr std::size_t kFindingColumns = 5;

// How many findings of each check the list keeps after checking a file: enough to work through,
// few enough for a list a window can hold whatever the file.
inline constexpr std::size_t kListedPerCheck = 1000;

// What the findings window shows, whatever toolkit draws it: counts at the top, then one row per
// finding kept, errors before warnings, the checks it can be filtered by, and the reports it saves.
class FindingsList {
public:
    // After a run: what it wrote, dropped, fitted and removed, and what checking its output found.
    static FindingsList ofRun(const RunSummary& summary);
    // After checking one file.
    static FindingsList ofFile(std::string_view file, std::uint64_t lines, const verify::Report& report);

    // The lines at the top.
    const std::vector<std::string>& counts() const { return counts_; }
    static std::string_view heading(FindingColumn column);
    // "Todas as verificações", then each check that found something, with its count.
    const std::vector<std::string>& filters() const { return filters_; }
    std::size_t size() const { return rows_.size(); }
    // The rows that filter keeps, in the list's order or sorted by a column; equal ones keep it.
    std::vector<std::size_t> shown(std::size_t filter, std::optional<FindingColumn> by = std::nullopt,
                                   bool descending = false) const;
    // UTF-8 text to show.
    std::string cell(std::size_t row, FindingColumn column) const;

    // The report as text, as "Mostrar detalhes..." used to show it.
    const std::string& textReport() const { return text_; }
    // Every row, in the list's order.
    std::string csvReport() const;

private:
    FindingsList(std::vector<std::string> counts, const verify::Report& report, std::string text);

    struct Row {
        verify::Finding finding;
        std::size_t filter; // its check's place in filters_
    };

    std::vector<std::string> counts_;
    std::vector<std::string> filters_;
    std::vector<Row> rows_;
    std::string text_;
};

// Checks the file at path, read-only; none when progress stopped it. Failures throw Error.
std::optional<FindingsList> findingsOfFile(const std::string& path, const VerifyProgress& progress = {});

enum class ReportFormat { Text, Csv };

// Writes the report to path in one step: a failure leaves any file there as it was, and throws
// Error naming it.
void saveReport(const FindingsList& list, const std::string& path, ReportFormat format);

} // namespace sintegra::app
