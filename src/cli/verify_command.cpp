#include "cli/verify_command.hpp"

#include <CLI/CLI.hpp>

#include "cli/exit_status.hpp"
#include "files/path_text.hpp"
#include "run/file_verification.hpp"
#include "verify/csv_report.hpp"
#include "verify/json_report.hpp"
#include "verify/report.hpp"
#include "words/error_words.hpp"

namespace sintegra::cli {

void addVerifyCommand(CLI::App& app, VerifyOptions& options) {
    CLI::App* verify =
        app.add_subcommand("verificar", "Confere ARQUIVO com o leiaute oficial, sem alterar nada");
    verify->add_option("ARQUIVO", options.file, "Arquivo do Sintegra")->required()->type_name("");
    CLI::Option* json = verify->add_flag("--json", options.json, "Mostra o resultado como um documento JSON");
    verify->add_flag("--csv", options.csv, "Mostra o resultado em CSV, como o relatório salvo pela janela")
        ->excludes(json);
    verify->add_flag("--todas", options.all, "Mostra todas as linhas de cada problema, não só as primeiras");
    verify->fallthrough()->group("Comandos");
    verify->callback([&options] { options.chosen = true; });
}

namespace {

// The report in the form chosen; returns how many errors it holds.
std::uint64_t writeReport(const VerifyOptions& options, std::ostream& out) {
    const auto path = pathFromText(options.file);
    if (options.json) {
        // The document is written as the findings come: a pass of its own judges the shape first.
        requireSintegraShape(path);
        verify::JsonReportWriter writer(out, options.file);
        verifyFile(path, writer);
        writer.finish();
        return writer.errors();
    }
    if (options.csv) {
        requireSintegraShape(path);
        verify::CsvReportWriter writer(out);
        verifyFile(path, writer);
        return writer.errors();
    }
    verify::Report report(options.all ? SIZE_MAX : verify::kShownPerCheck);
    const std::uint64_t lines = verifyFile(path, report).value_or(0);
    out << verify::formatReport(report, options.file, lines);
    return report.errors();
}

} // namespace

int runVerify(const VerifyOptions& options, std::ostream& out, std::ostream& err) {
    try {
        const std::uint64_t errors = writeReport(options, out);
        // A report that a full disk or a closed output lost is no report: the status must not say it is.
        if (!(out << std::flush)) {
            err << "sintegra-orv-cli: não foi possível escrever o relatório inteiro na saída padrão.\n";
            return kExitFailure;
        }
        return errors == 0 ? kExitSuccess : kExitFindings;
    } catch (const Error& error) {
        // A file refused for what it holds is told as a run tells it; one that the system refused, alone.
        err << "sintegra-orv-cli: " << (refusesShape(error.kind) ? errorWords(error) : errorSentence(error))
            << '\n';
        return exitStatus(error.kind);
    }
}

} // namespace sintegra::cli
