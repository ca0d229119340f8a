#include "cli/usage_problem.hpp"

#include <CLI/CLI.hpp>

#include "layout/display_text.hpp"

namespace sintegra::cli {
namespace {

std::string listed(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) {
        text += (text.empty() ? "" : ", ") + displayText(item);
    }
    return text;
}

// The chosen command's arguments that are missing.
std::string missingArguments(const CLI::App& command) {
    std::vector<std::string> missing;
    for (const CLI::Option* option : command.get_options()) {
        if (option->get_required() && option->count() == 0) {
            missing.push_back(option->get_name());
        }
    }
    return missing.empty() ? "falta um argumento obrigatório de " + command.get_name()
                           : "falta " + listed(missing) + " de " + command.get_name();
}

std::string missing(const CLI::App& app) {
    const std::vector<CLI::App*> chosen = app.get_subcommands();
    if (!chosen.empty()) {
        return missingArguments(*chosen.front());
    }
    const std::vector<std::string> rest = app.remaining();
    if (!rest.empty()) {
        return "comando desconhecido: " + displayText(rest.front()) +
               " (os comandos são analisar, juntar e verificar)";
    }
    return "falta o comando: analisar, juntar ou verificar";
}

} // namespace

std::string usageProblem(const CLI::App& app, const CLI::ParseError& error) {
    if (dynamic_cast<const CLI::RequiredError*>(&error) != nullptr) {
        return missing(app);
    }
    if (dynamic_cast<const CLI::ExtrasError*>(&error) != nullptr) {
        const std::vector<std::string> extras = app.remaining(true);
        return (extras.size() > 1 ? "argumentos não esperados: " : "argumento não esperado: ") +
               listed(extras);
    }
    // An empty folder names none: its value is as missing as an absent one.
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&error) != nullptr ||
        dynamic_cast<const CLI::ValidationError*>(&error) != nullptr) {
        return "falta o valor de uma opção (--pasta PASTA)";
    }
    if (dynamic_cast<const CLI::ExcludesError*>(&error) != nullptr) {
        return "--json e --csv não podem ser usados juntos";
    }
    if (dynamic_cast<const CLI::ConversionError*>(&error) != nullptr) {
        return "uma opção recebeu um valor que não aceita";
    }
    return "argumentos que não podem ser entendidos";
}

} // namespace sintegra::cli
