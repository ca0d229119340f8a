#include "staging/system_cause.hpp"

#include <cerrno>
#include <system_error>

namespace sintegra {

std::string systemCause(int error) {
    switch (error) {
    case ENOENT:
        return "o arquivo ou a pasta não existe";
    case EACCES:
    case EPERM:
        return "permissão negada";
    case ENOSPC:
        return "não há espaço livre no disco";
#ifdef EDQUOT // not in the Windows C runtime
    case EDQUOT:
        return "a cota de disco foi excedida";
#endif
    case EFBIG:
        return "o arquivo passou do tamanho máximo permitido";
    case EROFS:
        return "o disco está protegido contra gravação";
    case EISDIR:
        return "o caminho é uma pasta, não um arquivo";
    case ENOTDIR:
        return "uma parte do caminho não é uma pasta";
    case EIO:
        return "erro de leitura ou gravação no dispositivo";
    case ENAMETOOLONG:
        return "o nome do arquivo é longo demais";
    case EMFILE:
    case ENFILE:
        return "há arquivos abertos demais";
    case ELOOP:
        return "há links simbólicos demais no caminho";
    case EBUSY:
    case ETXTBSY:
        return "o arquivo está em uso";
    case ENOMEM:
        return "não há memória suficiente";
    default:
        return std::generic_category().message(error);
    }
}

} // namespace sintegra
