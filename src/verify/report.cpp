#include "verify/report.hpp"

#include <algorithm>
#include <iterator>

#include "verify/message.hpp"

namespace sintegra::verify {

std::string counted(std::uint64_t count, std::string_view one, std::string_view many) {
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

Report::Report(std::size_t shownPerCheck)
    : shownPerCheck_(shownPerCheck) {
    for (std::size_t i = 0; i < checks_.size(); ++i) {
        checks_[i].check = check::kAll[i];
    }
}

Report::CheckFindings& Report::entryOf(const Check& check) {
    const auto index = std::find(check::kAll.begin(), check::kAll.end(), &check) - check::kAll.begin();
    return checks_.at(static_cast<std::size_t>(index));
}

bool Report::wants(const Check& check) {
    ++(check.severity == Severity::Error ? errors_ : warnings_);
    return entryOf(check).count++ < shownPerCheck_;
}

void Report::add(Finding&& finding) {
    entryOf(*finding.check).shown.push_back(std::move(finding));
}

void Report::merge(Report&& other) {
    for (std::size_t i = 0; i < checks_.size(); ++i) {
        std::vector<Finding>& shown = checks_[i].shown;
        std::vector<Finding>& more = other.checks_[i].shown;
        checks_[i].count += other.checks_[i].count;
        if (shown.empty()) {
            shown.swap(more);
        } else if (!more.empty()) {
            std::move(more.begin(), more.end(), std::back_inserter(shown));
            std::stable_sort(shown.begin(), shown.end(),
                             [](const Finding& a, const Finding& b) { return a.line < b.line; });
            shown.resize(std::min(shown.size(), shownPerCheck_));
        }
    }
    errors_ += other.errors_;
    warnings_ += other.warnings_;
}

std::vector<const Report::CheckFindings*> Report::found() const {
    std::vector<const CheckFindings*> result;
    for (const CheckFindings& entry : checks_) {
        if (entry.count > 0) {
            result.push_back(&entry);
        }
    }
    return result;
}

std::uint64_t Report::count(const Check& check) const {
    const auto entry = std::find_if(checks_.begin(), checks_.end(),
                                    [&check](const CheckFindings& e) { return e.check == &check; });
    return entry == checks_.end() ? 0 : entry->count;
}

std::string countsText(std::uint64_t errors, std::uint64_t warnings) {
    return counted(errors, "erro", "erros") + " e " + counted(warnings, "aviso", "avisos");
}

std::string formatFindings(const Report& report) {
    std::string text;
    for (const Report::CheckFindings* entry : report.found()) {
        text += "\n[" + std::string(severityText(entry->check->severity)) + "] " +
                std::string(entry->check->code) + " - " + std::string(entry->check->title) + " (" +
                counted(entry->count, "ocorrência", "ocorrências") + ")\n";
        for (const Finding& finding : entry->shown) {
            text += "  " + describe(finding) + "\n";
        }
        if (entry->count > entry->shown.size()) {
            text += "  ... e mais " + std::to_string(entry->count - entry->shown.size()) + ".\n";
        }
    }
    return report.found().empty() ? "\nNenhum problema encontrado: o arquivo segue o leiaute.\n" : text;
}

std::string formatReport(const Report& report, std::string_view file, std::uint64_t lines) {
    return "Verificação de " + displayText(file) + " (" + counted(lines, "linha", "linhas") + ")\n" +
           formatFindings(report) + "\nResultado: " + countsText(report.errors(), report.warnings()) + ".\n";
}

} // namespace sintegra::verify
