#include "words/summary_text.hpp"

#include <algorithm>

#include "layout/display_text.hpp"
#include "verify/checks.hpp"
#include "verify/message.hpp"

namespace sintegra {
namespace {

// A record type code as the user can read it: every type of the layout is kept, so a dropped line
// has a code the layout does not know.
std::string codeText(const std::string& code) {
    if (code.empty()) {
        return "linha vazia";
    }
    return "código \"" + displayText(code) + "\"";
}

// A path shown as messages show it, its control characters escaped.
std::string shown(const std::string& path) {
    return displayText(path);
}

std::string more(std::uint64_t total, std::size_t named) {
    return total > named ? "  ... e mais " + std::to_string(total - named) + ".\n" : "";
}

// "linha 3", "linhas 3, 9 e mais 4"
std::string linesText(const LineNumbers& lines) {
    std::string text = lines.count == 1 ? "linha " : "linhas ";
    for (std::size_t i = 0; i < lines.first.size(); ++i) {
        text += (i == 0 ? "" : ", ") + std::to_string(lines.first[i]);
    }
    if (lines.count > lines.first.size()) {
        text += " e mais " + std::to_string(lines.count - lines.first.size());
    }
    return text;
}

std::string droppedText(const RunSummary& summary) {
    std::map<std::string, std::uint64_t> counts; // of every file
    std::uint64_t total = 0;
    for (const FileSummary& input : summary.inputs) {
        for (const auto& [code, lines] : input.dropped) {
            counts[code] += lines.count;
            total += lines.count;
        }
    }
    std::string text = "Linhas descartadas: " + std::to_string(total) + "\n";
    for (const auto& [code, count] : counts) {
        text += "  " + codeText(code) + ": " + std::to_string(count) + "\n";
        for (const FileSummary& input : summary.inputs) {
            if (const auto lines = input.dropped.find(code); lines != input.dropped.end()) {
                text += "    " + shown(input.path) + ": " + linesText(lines->second) + "\n";
            }
        }
    }
    return text;
}

std::string fittedText(const RunSummary& summary) {
    if (summary.fittedLines == 0) {
        return "";
    }
    std::string text = "Linhas de " + shown(summary.inputs.front().path) +
                       " com a largura ajustada: " + std::to_string(summary.fittedLines) + "\n";
    for (const FittedLine& fitted : summary.fitted) {
        text += "  linha " + std::to_string(fitted.line) + ": " +
                verify::counted(fitted.width, "caractere", "caracteres");
        if (fitted.leadingBlanks > 0) {
            text += ", sem " +
                    verify::counted(fitted.leadingBlanks, "espaço ou tabulação", "espaços ou tabulações") +
                    " do início";
        }
        if (fitted.convertedAway > 0) {
            text += ", " + verify::counted(fitted.convertedAway, "byte", "bytes") +
                    " a menos com o texto UTF-8 convertido";
        }
        const std::uint64_t content = fitted.width - fitted.leadingBlanks - fitted.convertedAway;
        if (content > fitted.fittedWidth) {
            text += ", cortada em " + std::to_string(fitted.fittedWidth);
        } else if (content < fitted.fittedWidth) {
            text += ", completada com espaços até " + std::to_string(fitted.fittedWidth);
        }
        text += "\n";
    }
    return text + more(summary.fittedLines, summary.fitted.size());
}

// What reading a file changed of its bytes, by line: of the first file, what its rewritten form
// lacks; of the second, what was not staged, the file staying as it is.
std::string cleaningText(const FileSummary& input, bool rewritten) {
    const Cleaning& cleaning = input.cleaning;
    std::string text;
    const auto item = [&text](const std::string& what, const LineNumbers& lines,
                              const std::string& after = "") {
        if (lines.count > 0 || !after.empty()) {
            text += "  " + what + ": " + (lines.count > 0 ? linesText(lines) : "") +
                    (lines.count > 0 && !after.empty() ? " e " : "") + after + "\n";
        }
    };
    if (cleaning.byteOrderMark) {
        text += "  marca de ordem de bytes (BOM) do UTF-8 deixada de fora do início\n";
    }
    item("espaços ou tabulações antes do código deixados de fora", cleaning.leadingBlanks);
    item("vírgula ou NUL trocado por espaço", cleaning.blanked);
    item("Ctrl-Z deixado de fora", cleaning.ctrlZ, cleaning.ctrlZAtEnd ? "no fim do arquivo" : "");
    item("texto UTF-8 gravado em Windows-1252", cleaning.converted);
    if (text.empty()) {
        return "";
    }
    return (rewritten ? "Mudanças nos bytes de " : "Mudanças nos bytes lidos de ") + shown(input.path) +
           (rewritten ? ":\n" : " (o arquivo fica como está):\n") + text;
}

std::string repeatedText(const RunSummary& summary) {
    std::string text =
        "Registros de produto (tipo 75) repetidos removidos: " + std::to_string(summary.duplicatesRemoved) +
        "\n";
    const RepeatedCodes& repeated = summary.repeatedProducts;
    for (const RepeatedCodes::Code& code : repeated.first) {
        text += "  código \"" + displayText(code.code) + "\": " + std::to_string(code.superseded) +
                (code.superseded == 1 ? " removido" : " removidos") + ", fica o último lido\n";
    }
    return text + more(repeated.count, repeated.first.size());
}

// "9 erros e 0 avisos (largura 1, numerico 5, ...)"
std::string countsByCheck(const verify::Report& report) {
    std::string text = verify::countsText(report.errors(), report.warnings());
    const auto found = report.found();
    for (std::size_t i = 0; i < found.size(); ++i) {
        text += (i == 0 ? " (" : ", ") + std::string(found[i]->check->code) + " " +
                std::to_string(found[i]->count) + (i + 1 == found.size() ? ")" : "");
    }
    return text;
}

bool isAcrossRecords(const verify::Check& check) {
    return std::find(verify::check::kAcrossRecords.begin(), verify::check::kAcrossRecords.end(), &check) !=
           verify::check::kAcrossRecords.end();
}

// The output against what was read, check by check, for the checks made on both: what the output
// has more of, the repair brought (or the join, whose checks look at both files). A file read twice
// counts twice.
std::string comparisonText(const RunSummary& summary) {
    std::string more;
    bool acrossRecords = false;
    for (const verify::Report::CheckFindings* found : summary.verification->found()) {
        std::uint64_t read = 0;
        for (const FileSummary& input : summary.inputs) {
            read += (input.verification ? *input.verification : *summary.inputs.front().verification)
                        .count(*found->check);
        }
        acrossRecords = acrossRecords || isAcrossRecords(*found->check);
        if (found->count > read && !isAcrossRecords(*found->check)) {
            more += (more.empty() ? "" : ", ") + std::string(found->check->code) + " " +
                    std::to_string(found->count - read);
        }
    }
    return (more.empty() ? "Comparado aos arquivos lidos: nenhuma verificação encontra mais problemas no "
                           "arquivo gravado.\n"
                         : "Comparado aos arquivos lidos, o arquivo gravado tem a mais: " + more + ".\n") +
           (acrossRecords ? "As verificações entre registros, que guardam códigos e notas, só se fazem no "
                            "arquivo gravado.\n"
                          : "");
}

std::string verificationText(const RunSummary& summary) {
    std::string text = "\nVerificação dos arquivos como foram lidos:\n";
    for (const FileSummary& input : summary.inputs) {
        text += "  " + shown(input.path) + ": " +
                (input.verification ? countsByCheck(*input.verification) : "o mesmo arquivo que o primeiro") +
                "\n";
    }
    if (!summary.verification) {
        return text;
    }
    const verify::Report& report = *summary.verification;
    return text + "\nVerificação de " + shown(summary.outputPath) + " como foi gravado (" +
           std::to_string(summary.outputLines()) + " linhas)\n" + verify::formatFindings(report) +
           "\nVerificação do arquivo gravado: " + verify::countsText(report.errors(), report.warnings()) +
           ".\n" + comparisonText(summary);
}

} // namespace

std::string inOrderText(const RunSummary& summary) {
    if (!summary.firstInOrder) {
        return "";
    }
    const bool joined = summary.inputs.size() == 2;
    return joined ? "O primeiro arquivo já estava em ordem: não foi alterado."
                  : "O arquivo já estava em ordem: nada foi alterado.";
}

std::string formatSummary(const RunSummary& summary) {
    std::string text = "Linhas lidas:\n";
    for (const FileSummary& input : summary.inputs) {
        text += "  " + shown(input.path) + ": " + std::to_string(input.lines) + "\n";
    }
    text += "Registros gravados em " + shown(summary.outputPath) + ":\n";
    const auto count = [&text](std::string_view code, std::uint64_t records) {
        if (records > 0) {
            text += "  tipo " + std::string(code) + ": " + std::to_string(records) + "\n";
        }
    };
    count(kCode10, summary.type10Records);
    count(kCode11, summary.type11Records);
    for (StagedType type = 0; type < kStagedTypeCount; ++type) {
        count(kStagedCodes[type], summary.written[type]);
    }
    text += "  tipo 90: " + std::to_string(summary.type90Records) + "\n";
    text += "  total: " + std::to_string(summary.outputLines()) + "\n";
    text += droppedText(summary) + fittedText(summary);
    for (std::size_t i = 0; i < summary.inputs.size(); ++i) {
        text += cleaningText(summary.inputs[i], i == 0);
    }
    text += repeatedText(summary);
    if (summary.firstInOrder) {
        text += inOrderText(summary) + "\n";
    }
    if (!summary.copies.empty()) {
        text += "Cópias do conteúdo anterior:\n";
    }
    for (const KeptCopy& kept : summary.copies) {
        text += "  " + shown(kept.file) + ": " + shown(kept.copy) + "\n";
    }
    return text + verificationText(summary);
}

} // namespace sintegra
