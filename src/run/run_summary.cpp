#include "run/run_summary.hpp"

#include <cstdio>
#include <numeric>

namespace sintegra {
namespace {

// A record type code as the user can read it, whatever bytes it holds.
std::string printableCode(const std::string& code) {
    if (code.empty()) {
        return "linha vazia";
    }
    std::string text = "código \"";
    for (const char c : code) {
        if (c >= 0x20 && c < 0x7f) {
            text += c;
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(c));
            text += escaped;
        }
    }
    return text + "\"";
}

std::uint64_t sum(const std::map<std::string, std::uint64_t>& counts) {
    std::uint64_t total = 0;
    for (const auto& [code, count] : counts) {
        total += count;
    }
    return total;
}

} // namespace

std::uint64_t RunSummary::outputLines() const {
    return std::accumulate(written.begin(), written.end(), std::uint64_t{2}) + type90Records;
}

std::string formatSummary(const RunSummary& summary) {
    std::string text = "Linhas lidas:\n";
    for (const FileSummary& input : summary.inputs) {
        text += "  " + input.path + ": " + std::to_string(input.lines) + "\n";
    }
    text += "Registros gravados em " + summary.outputPath + ":\n";
    text += "  tipo 10: 1\n  tipo 11: 1\n";
    for (StagedType type = 0; type < kStagedTypeCount; ++type) {
        if (summary.written[type] > 0) {
            text += "  tipo " + std::string(kStagedCodes[type]) + ": " +
                    std::to_string(summary.written[type]) + "\n";
        }
    }
    text += "  tipo 90: " + std::to_string(summary.type90Records) + "\n";
    text += "  total: " + std::to_string(summary.outputLines()) + "\n";
    text += "Linhas descartadas: " + std::to_string(sum(summary.dropped)) + "\n";
    for (const auto& [code, count] : summary.dropped) {
        text += "  " + printableCode(code) + ": " + std::to_string(count) + "\n";
    }
    text +=
        "Registros de produto (tipo 75) repetidos removidos: " + std::to_string(summary.duplicatesRemoved) +
        "\n";
    if (!summary.copies.empty()) {
        text += "Cópias do conteúdo anterior:\n";
    }
    for (const KeptCopy& kept : summary.copies) {
        text += "  " + kept.file + ": " + kept.copy + "\n";
    }
    return text;
}

} // namespace sintegra
