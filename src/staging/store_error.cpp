#include "staging/store_error.hpp"

#include <sqlite3.h>

namespace sintegra {

std::string storeCause(int sqliteCode, const char* sqliteMessage) {
    switch (sqliteCode & 0xff) {
    case SQLITE_FULL:
        return "não há espaço livre no disco";
    case SQLITE_IOERR:
        return "erro de leitura ou gravação no disco";
    case SQLITE_NOTADB:
        return "o arquivo não é um banco de dados";
    case SQLITE_CORRUPT:
        return "o banco de dados está corrompido";
    case SQLITE_CANTOPEN:
        return "não foi possível abrir o arquivo";
    case SQLITE_READONLY:
        return "o banco de dados está protegido contra gravação";
    case SQLITE_TOOBIG:
        return "um registro é grande demais para o banco de dados";
    case SQLITE_NOMEM:
        return "não há memória suficiente";
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return "o banco de dados está em uso por outro programa";
    default:
        return sqliteMessage != nullptr ? sqliteMessage : "erro desconhecido do banco de dados";
    }
}

} // namespace sintegra
