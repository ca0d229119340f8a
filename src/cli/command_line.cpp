#include "cli/command_line.hpp"

#include <memory>

#include <CLI/CLI.hpp>

#include "cli/cli_progress.hpp"
#include "cli/exit_status.hpp"
#include "cli/terminal.hpp"
#include "cli/usage_problem.hpp"
#include "cli/verify_command.hpp"
#include "files/path_text.hpp"
#include "files/program_folder.hpp"
#include "files/same_file.hpp"
#include "run/runner.hpp"
#include "words/error_words.hpp"
#include "words/messages.hpp"
#include "words/summary_text.hpp"

#ifndef ORV_VERSION
#define ORV_VERSION "0"
#endif

namespace sintegra::cli {
namespace {

constexpr const char* kProgramName = "sintegra-orv-cli";

struct Options {
    Mode mode = Mode::Analyse;
    std::string first;
    std::string second;
    std::string folder;
    bool quiet = false;
    bool noCopy = false;
};

// After the commands are added: each has a help flag of its own, made in CLI11's default group.
void translateHelp(CLI::App& app) {
    for (CLI::App* command : app.get_subcommands([](CLI::App*) { return true; })) {
        command->get_help_ptr()->group("Opções");
    }
    const auto formatter = app.get_formatter();
    formatter->label("Usage", "Uso");
    formatter->label("OPTIONS", "OPÇÕES");
    formatter->label("SUBCOMMAND", "COMANDO");
    formatter->label("Positionals", "Argumentos");
    formatter->label("REQUIRED", "(obrigatório)");
    formatter->column_width(32);
}

// Options begin with "-" on every system: "/" begins a path. The commands inherit the group of the
// help flag, so that no English heading is left.
void describe(CLI::App& app, Options& options) {
    app.allow_windows_style_options(false);
    app.option_defaults()->group("Opções");
    app.set_help_flag("-h,--help", "Mostra esta ajuda e sai");
    app.set_version_flag("--version", std::string(kProgramName) + " " + ORV_VERSION, "Mostra a versão e sai");
    app.add_option("--pasta", options.folder,
                   "Pasta do programa: onde ficam Sintegra.mod, Sintegra.mdb, Copias e, ao juntar, "
                   "sintegra.txt (padrão: a pasta do executável ou, se não houver permissão de gravar "
                   "nela, a pasta de dados do usuário)")
        ->type_name("PASTA")
        ->check([](const std::string& folder) { return folder.empty() ? "vazia" : std::string(); });
    app.add_flag("--sem-copia", options.noCopy,
                 "Não guarda em Copias o conteúdo anterior dos arquivos substituídos");
    app.add_flag("-q,--quiet", options.quiet, "Não mostra o progresso nem o resumo");
    app.require_subcommand(1);

    CLI::App* analyse = app.add_subcommand("analisar", "Limpa e normaliza ARQUIVO no próprio lugar");
    analyse->add_option("ARQUIVO", options.first, "Arquivo do Sintegra")->required()->type_name("");
    analyse->fallthrough()->group("Comandos");
    analyse->callback([&options] { options.mode = Mode::Analyse; });

    CLI::App* join =
        app.add_subcommand("juntar", "Junta ARQUIVO1 e ARQUIVO2 em sintegra.txt na pasta do programa");
    join->add_option("ARQUIVO1", options.first, "Primeiro arquivo, que também é normalizado")
        ->required()
        ->type_name("");
    join->add_option("ARQUIVO2", options.second, "Segundo arquivo, só lido")->required()->type_name("");
    join->fallthrough()->group("Comandos");
    join->callback([&options] { options.mode = Mode::Join; });
}

int failed(const std::exception_ptr& failure, std::ostream& err) {
    const Error error = errorOf(failure);
    err << kProgramName << ": " << errorWords(error) << '\n';
    return exitStatus(error.kind);
}

std::unique_ptr<Runner> openRunner(const std::string& folder) {
    if (folder.empty()) {
        return std::make_unique<Runner>(defaultProgramFolders());
    }
    return std::make_unique<Runner>(pathFromText(folder));
}

int execute(const Options& options, std::ostream& out, std::ostream& err) {
    if (options.mode == Mode::Join && namesSameFile(options.first, options.second)) {
        err << kProgramName << ": aviso: " << messages::kSameFiles << '\n';
    }
    const bool showBar = !options.quiet && standardErrorIsTerminal();
    ProgressBar bar(err);
    CliProgress progress(showBar ? &bar : nullptr, catchInterrupts());
    const RunRequest request{options.mode, options.first, options.second, !options.noCopy};
    try {
        const RunResult result = openRunner(options.folder)->run(request, progress);
        bar.clear();
        switch (result.status) {
        case RunStatus::NoFileSelected:
            err << kProgramName << ": " << messages::kNoFileSelected << '\n';
            return kExitFailure;
        case RunStatus::Cancelled:
            err << kProgramName << ": " << messages::kCancelled << '\n';
            return kExitInterrupted;
        case RunStatus::Completed:
            break;
        }
        out << messages::completion(result.summary.outputPath) << '\n' << std::flush;
        if (!options.quiet) {
            err << formatSummary(result.summary);
        }
        return kExitSuccess;
    } catch (...) {
        bar.clear();
        return failed(std::current_exception(), err);
    }
}

} // namespace

int runCommandLine(int argc, char** argv, std::ostream& out, std::ostream& err) {
    Options options;
    VerifyOptions verify;
    CLI::App app("Repara e junta arquivos do SINTEGRA.", kProgramName);
    describe(app, options);
    addVerifyCommand(app, verify);
    translateHelp(app);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForVersion&) {
        out << app.version() << '\n';
        return kExitSuccess;
    } catch (const CLI::Success&) {
        out << app.help(); // the help of the command named, if one was
        return kExitSuccess;
    } catch (const CLI::ParseError& error) {
        err << kProgramName << ": uso incorreto: " << usageProblem(app, error) << ".\n"
            << "Use \"" << kProgramName << " --help\" para ver como usar.\n";
        return kExitUsage;
    }
    try {
        return verify.chosen ? runVerify(verify, out, err) : execute(options, out, err);
    } catch (...) {
        return failed(std::current_exception(), err);
    }
}

} // namespace sintegra::cli
