#include "run/run_request.hpp"

namespace sintegra {

std::string_view phaseLabel(Phase phase) {
    switch (phase) {
    case Phase::Resetting:
        return "Preparando o banco de trabalho";
    case Phase::Normalizing:
        return "Limpando e normalizando o primeiro arquivo";
    case Phase::LoadingSecond:
        return "Lendo o segundo arquivo";
    case Phase::RemovingDuplicates:
        return "Removendo produtos repetidos";
    case Phase::Assembling:
        return "Montando o arquivo final";
    case Phase::Saving:
        return "Gravando";
    case Phase::Verifying:
        return "Verificando o arquivo";
    }
    return "";
}

} // namespace sintegra
