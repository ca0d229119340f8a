#include "run/run_error.hpp"

namespace sintegra {

RunError::RunError(std::string message, std::string file, std::uint64_t line)
    : std::runtime_error(std::move(message))
    , file_(std::move(file))
    , line_(line) {}

RunError fileError(FileStep step, const std::string& file, int error) {
    const char* action = "";
    switch (step) {
    case FileStep::Open:
        action = "abrir o arquivo";
        break;
    case FileStep::Read:
        action = "ler o arquivo";
        break;
    case FileStep::Create:
        action = "criar um arquivo temporário na pasta do arquivo";
        break;
    case FileStep::Write:
        action = "gravar o arquivo";
        break;
    case FileStep::Replace:
        action = "substituir o arquivo";
        break;
    }
    return RunError(
        std::string("Não foi possível ") + action + " \"" + file + "\": " + systemCause(error) + ".", file);
}

} // namespace sintegra
