#include "app/findings_list.hpp"

#include <algorithm>

#include "files/atomic_file.hpp"
#include "files/path_text.hpp"
#include "run/run_summary.hpp"
#include "verify/csv_report.hpp"
#include "verify/message.hpp"
#include "words/summary_text.hpp"

namespace sintegra::app {
namespace {

using verify::counted;

std::string writtenText(const RunSummary& summary) {
    std::string text = "Registros gravados em " + displayText(summary.outputPath) + ": " +
                       std::to_string(summary.outputLines()) +
                       " (tipo 10: " + std::to_string(summary.type10Records) +
                       ", tipo 11: " + std::to_string(summary.type11Records);
    for (StagedType type = 0; type < kStagedTypeCount; ++type) {
        if (summary.written[type] > 0) {
            text +=
                ", tipo " + std::string(kStagedCodes[type]) + ": " + std::to_string(summary.written[type]);
        }
    }
    return text + ", tipo 90: " + std::to_string(summary.type90Records) + ")";
}

std::uint64_t droppedLines(const RunSummary& summary) {
    std::uint64_t total = 0;
    for (const FileSummary& input : summary.inputs) {
        for (const auto& [code, lines] : input.dropped) {
            total += lines.count;
        }
    }
    return total;
}

// Said only when some check found more than the list keeps.
std::string listedText(const verify::Report& report) {
    std::size_t kept = 0;
    for (const verify::Report::CheckFindings* entry : report.found()) {
        if (entry->count > entry->shown.size()) {
            kept = std::max(kept, entry->shown.size());
        }
    }
    return kept == 0 ? std::string()
                     : "Na lista, as primeiras " + counted(kept, "ocorrência", "ocorrências") +
                           " de cada verificação; o total está no filtro.";
}

bool less(const verify::Finding& a, const verify::Finding& b, FindingColumn by) {
    switch (by) {
    case FindingColumn::Line:
        return a.line < b.line;
    case FindingColumn::Record:
        return a.record < b.record;
    case FindingColumn::Field:
        return a.field < b.field;
    case FindingColumn::Value:
        return a.value < b.value;
    case FindingColumn::Message:
        return a.detail < b.detail;
    }
    return false;
}

} // namespace

FindingsList::FindingsList(std::vector<std::string> counts, const verify::Report& report, std::string text)
    : counts_(std::move(counts))
    , filters_{"Todas as verificações"}
    , text_(std::move(text)) {
    std::erase(counts_, std::string());
    for (const verify::Severity severity : {verify::Severity::Error, verify::Severity::Warning}) {
        for (const verify::Report::CheckFindings* entry : report.found()) {
            if (entry->check->severity != severity) {
                continue;
            }
            for (const verify::Finding& finding : entry->shown) {
                rows_.push_back({finding, filters_.size()});
            }
            filters_.push_back(std::string(entry->check->title) + " (" +
                               counted(entry->count, "ocorrência", "ocorrências") + ")");
        }
    }
}

FindingsList FindingsList::ofRun(const RunSummary& summary) {
    static const verify::Report nothing(0);
    const verify::Report& report = summary.verification ? *summary.verification : nothing;
    return FindingsList(
        {writtenText(summary), "Linhas descartadas: " + std::to_string(droppedLines(summary)),
         "Linhas com a largura ajustada: " + std::to_string(summary.fittedLines),
         "Registros de produto (tipo 75) repetidos removidos: " + std::to_string(summary.duplicatesRemoved),
         "Verificação do arquivo gravado: " + verify::countsText(report.errors(), report.warnings()),
         listedText(report)},
        report, formatSummary(summary));
}

FindingsList FindingsList::ofFile(std::string_view file, std::uint64_t lines, const verify::Report& report) {
    return FindingsList(
        {"Verificação de " + displayText(file) + " (" + counted(lines, "linha", "linhas") + ")",
         "Resultado: " + verify::countsText(report.errors(), report.warnings()), listedText(report)},
        report, verify::formatReport(report, file, lines));
}

std::string_view FindingsList::heading(FindingColumn column) {
    static constexpr std::string_view kHeadings[kFindingColumns] = {"Linha", "Registro", "Campo", "Valor",
                                                                    "Mensagem"};
    return kHeadings[static_cast<std::size_t>(column)];
}

std::vector<std::size_t> FindingsList::shown(std::size_t filter, std::optional<FindingColumn> by,
                                             bool descending) const {
    std::vector<std::size_t> rows;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (filter == 0 || rows_[i].filter == filter) {
            rows.push_back(i);
        }
    }
    if (by) {
        std::stable_sort(rows.begin(), rows.end(), [&](std::size_t a, std::size_t b) {
            return less(rows_[descending ? b : a].finding, rows_[descending ? a : b].finding, *by);
        });
    }
    return rows;
}

std::string FindingsList::cell(std::size_t row, FindingColumn column) const {
    const verify::Finding& finding = rows_.at(row).finding;
    switch (column) {
    case FindingColumn::Line:
        return finding.line == 0 ? std::string() : std::to_string(finding.line);
    case FindingColumn::Record:
        return displayText(finding.record);
    case FindingColumn::Field:
        return std::string(finding.field);
    case FindingColumn::Value:
        return displayText(finding.value);
    case FindingColumn::Message:
        return std::string(verify::severityText(finding.check->severity)) + ": " + finding.detail;
    }
    return {};
}

std::string FindingsList::csvReport() const {
    std::string text = verify::csvHeader();
    for (const Row& row : rows_) {
        text += verify::csvRow(row.finding);
    }
    return text;
}

std::optional<FindingsList> findingsOfFile(const std::string& path, const VerifyProgress& progress) {
    verify::Report report(kListedPerCheck);
    const auto lines = verifyFile(pathFromText(path), report, progress);
    return lines ? std::optional(FindingsList::ofFile(path, *lines, report)) : std::nullopt;
}

void saveReport(const FindingsList& list, const std::string& path, ReportFormat format) {
    AtomicFile file(pathFromText(path));
    file.write(format == ReportFormat::Csv ? list.csvReport() : list.textReport());
    file.commit();
}

} // namespace sintegra::app
