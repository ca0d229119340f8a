#include "cli/verify_command.hpp"

#include <filesystem>
#include <optional>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/exit_status.hpp"
#include "files/input_file.hpp"
#include "files/system_error.hpp"
#include "run/line_splitter.hpp"
#include "run/messages.hpp"
#include "run/run_error.hpp"
#include "verify/checker.hpp"
#include "verify/file_shape.hpp"
#include "verify/json_report.hpp"
#include "verify/line_feeder.hpp"
#include "verify/report.hpp"

namespace sintegra::cli {
namespace {

constexpr std::size_t kChunkSize = std::size_t{1} << 20;

template <class Sink>
void feedLines(InputFile& file, Sink& sink) {
    LineSplitter<Sink> splitter(sink);
    std::vector<char> buffer(kChunkSize);
    while (const std::size_t size = file.read(buffer.data(), buffer.size())) {
        splitter.feed(std::string_view(buffer.data(), size));
    }
    splitter.finish();
}

// The lines of a file, to judge its shape and, where there is one, to be checked.
struct ShapeAndChecks {
    verify::FileShape shape;
    verify::LineFeeder* feeder;

    void addBytes(std::string_view bytes) {
        shape.addBytes(bytes);
        if (feeder != nullptr) {
            feeder->addBytes(bytes);
        }
    }
    void endLine() {
        shape.endLine();
        if (feeder != nullptr) {
            feeder->endLine();
        }
    }
};

// Reads the file through the checker, if there is one, and ends it; returns the number of lines. A
// file that is not a SINTEGRA file gets one sentence instead of a finding on every line: RunError.
std::uint64_t checkFile(const std::string& path, verify::Checker* checker) {
    InputFile file(pathFromText(path));
    std::optional<verify::LineFeeder> feeder;
    if (checker != nullptr) {
        feeder.emplace(*checker);
    }
    ShapeAndChecks lines{{}, feeder ? &*feeder : nullptr};
    try {
        feedLines(file, lines);
        lines.shape.finish();
    } catch (const verify::LineTooLong&) {
        throw RunError(messages::lineTooLong(lines.shape.lines() + 1, path));
    } catch (const verify::NotSintegra& refused) {
        throw RunError(messages::notSintegra(path, verify::faultWords(refused.fault)));
    }
    if (checker != nullptr) {
        checker->finish();
    }
    return lines.shape.lines();
}

} // namespace

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
        std::uint64_t errors = 0;
        if (options.json) {
            // The document is written as the findings come: a pass of its own judges the shape first.
            checkFile(options.file, nullptr);
            verify::JsonReportWriter writer(out, options.file);
            verify::Checker checker(writer);
            checkFile(options.file, &checker);
            writer.finish();
            errors = writer.errors();
        } else {
            verify::Report report(options.all ? SIZE_MAX : verify::kShownPerCheck);
            verify::Checker checker(report);
            const std::uint64_t lines = checkFile(options.file, &checker);
            out << verify::formatReport(report, options.file, lines);
            errors = report.errors();
        }
        out << std::flush;
        return errors == 0 ? kExitSuccess : kExitFindings;
    } catch (const FileError& error) {
        err << "sintegra-orv-cli: " << error.what() << '\n';
        return kExitFailure;
    } catch (const RunError& error) {
        err << "sintegra-orv-cli: " << error.what() << ' ' << messages::kFilesUnchanged << '\n';
        return kExitFailure;
    }
}

} // namespace sintegra::cli
