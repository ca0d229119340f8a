#include "cli/verify_command.hpp"

#include <CLI/CLI.hpp>

#include "cli/exit_status.hpp"
#include "files/system_error.hpp"
#include "run/error_words.hpp"
#include "run/file_verification.hpp"
#include "verify/json_report.hpp"
#include "verify/report.hpp"

namespace sintegra::cli {

void addVerifyCommand(CLI::App& app, VerifyOptions& options) {
    CLI::App* verify =
        app.add_subcommand("verificar", "Confere ARQUIVO com o leiaute oficial, sem alterar nada");
    verify->add_option("ARQUIVO", options.file, "Arquivo do Sintegra")->required()->type_name("");
    verify->add_flag("--json", options.json, "Mostra o resultado como um documento JSON");
    verify->add_flag("--todas", options.all, "Mostra todas as linhas de cada problema, não só as primeiras");
    verify->fallthrough()->group("Comandos");
    verify->callback([&options] { options.chosen = true; });
}

int runVerify(const VerifyOptions& options, std::ostream& out, std::ostream& err) {
    try {
        const auto path = pathFromText(options.file);
        std::uint64_t errors = 0;
        if (options.json) {
            // The document is written as the findings come: a pass of its own judges the shape first.
            requireSintegraShape(path);
            verify::JsonReportWriter writer(out, options.file);
            verifyFile(path, writer);
            writer.finish();
            errors = writer.errors();
        } else {
            verify::Report report(options.all ? SIZE_MAX : verify::kShownPerCheck);
            const std::uint64_t lines = verifyFile(path, report).value_or(0);
            out << verify::formatReport(report, options.file, lines);
            errors = report.errors();
        }
        out << std::flush;
        return errors == 0 ? kExitSuccess : kExitFindings;
    } catch (const Error& error) {
        // A file refused for what it holds is told as a run tells it; one that the system refused, alone.
        err << "sintegra-orv-cli: " << (refusesShape(error.kind) ? errorWords(error) : errorSentence(error))
            << '\n';
        return exitStatus(error.kind);
    }
}

} // namespace sintegra::cli
