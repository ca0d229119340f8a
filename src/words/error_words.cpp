#include "words/error_words.hpp"

#include <system_error>

#include <sqlite3.h>

#include "errors/store_error.hpp"
#include "files/program_folder.hpp"
#include "files/system_error.hpp"
#include "layout/display_text.hpp"
#include "words/messages.hpp"

namespace sintegra {
namespace {

// A path, or a library's words that may hold one, as every message shows it: no control character
// of a name can forge a line of its own.
std::string shown(const std::string& path) {
    return displayText(path);
}

std::string quoted(const std::string& path) {
    return "\"" + shown(path) + "\"";
}

// SQLite's codes, falling back to SQLite's own message.
std::string storeCauseWords(int code, const std::string& detail) {
    switch (code & 0xff) {
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
        return detail.empty() ? "erro desconhecido do banco de dados" : shown(detail);
    }
}

std::string causeWords(const Error& error) {
    return error.cause.category() == storeCategory() ? storeCauseWords(error.cause.value(), error.detail)
                                                     : systemCause(error.cause);
}

// "Não foi possível <step> "<file>": <cause>."
std::string cannot(const char* step, const Error& error) {
    return std::string("Não foi possível ") + step + " " + quoted(error.file) + ": " + causeWords(error) +
           ".";
}

std::string notSintegra(const Error& error, const char* why) {
    return "O arquivo [" + shown(error.file) + "] não parece um arquivo do SINTEGRA: " + why + ".";
}

std::string templateUnusable(const Error& error, const std::string& why) {
    return "O modelo do banco de trabalho " + quoted(error.file) + " não pode ser usado: " + why + ".";
}

std::string whatFailed(const Error& error) {
    switch (error.kind) {
    case ErrorKind::CannotOpen:
        return cannot("abrir o arquivo", error);
    case ErrorKind::CannotRead:
        return cannot("ler o arquivo", error);
    case ErrorKind::CannotCreateTemp:
        return cannot("criar um arquivo temporário na pasta do arquivo", error);
    case ErrorKind::CannotWrite:
        return cannot("gravar o arquivo", error);
    case ErrorKind::CannotReplace:
        return cannot("substituir o arquivo", error);
    case ErrorKind::CannotCreateFolder:
        return cannot("criar a pasta", error);
    case ErrorKind::NotRegularFile:
        return "Não foi possível abrir o arquivo " + quoted(error.file) + ": não é um arquivo comum.";
    case ErrorKind::FileWriteProtected:
        return "O arquivo " + quoted(error.file) + " está protegido contra gravação.";
    case ErrorKind::FolderWriteProtected:
        return "A pasta " + quoted(error.file) + " está protegida contra gravação.";
    case ErrorKind::CopiesFolderUnusable:
        return "A pasta de cópias " + quoted(error.file) +
               " não é uma pasta comum (é um link ou um arquivo) e não foi usada.";
    case ErrorKind::ProgramFolderMissing:
        return "A pasta do programa " + quoted(error.file) + " não existe.";
    case ErrorKind::FolderInUse:
        return "O Sintegra ORV já está em uso nesta pasta.";
    case ErrorKind::TemplateMissing:
        return "O modelo do banco de trabalho " + std::string(kTemplateFileName) +
               " não foi encontrado na pasta " + quoted(error.file) + ".";
    case ErrorKind::TemplateIncomplete:
        return templateUnusable(error, "faltam tabelas de trabalho (REG50 a REG88)");
    case ErrorKind::TemplateUnusable:
        return templateUnusable(error, causeWords(error));
    case ErrorKind::TemplateNotCopied:
        return "Não foi possível copiar o modelo " + quoted(error.file) + " para " +
               quoted(error.secondFile) + ": " + causeWords(error) + ".";
    case ErrorKind::StoreNotRemoved:
        return cannot("apagar o banco de trabalho", error);
    case ErrorKind::StoreNotRegularFile:
        return "Não foi possível apagar o banco de trabalho " + quoted(error.file) +
               ": não é um arquivo comum.";
    case ErrorKind::StoreFailed:
        return "Erro no banco de trabalho " + quoted(error.file) + ": " + causeWords(error) + ".";
    case ErrorKind::OtherFormat:
        return notSintegra(error,
                           "começa como um arquivo compactado, um documento, uma imagem ou um programa");
    case ErrorKind::NotText:
        return notSintegra(error, "tem bytes que um arquivo de texto não tem");
    case ErrorKind::NoRecord:
        return notSintegra(error, "nenhum registro reconhecido");
    case ErrorKind::NotRecords:
        return notSintegra(error, "a maioria das linhas não tem a forma de um registro");
    case ErrorKind::LineTooLong:
        return "A linha " + std::to_string(error.line.value_or(0)) + " do arquivo [" + shown(error.file) +
               "] tem mais de 1 MiB: não parece um arquivo do SINTEGRA.";
    case ErrorKind::ChangedMeanwhile:
        return "O arquivo [" + shown(error.file) + "] foi alterado por outro programa durante a execução.";
    case ErrorKind::OutOfMemory:
        return "Não há memória suficiente para concluir o trabalho.";
    case ErrorKind::ResourceRefused:
        return "O sistema recusou um recurso ao programa: " + systemCause(error.cause) + ".";
    case ErrorKind::Unexpected:
        break;
    }
    return error.detail.empty() ? "Erro inesperado." : "Erro inesperado: " + shown(error.detail) + ".";
}

} // namespace

std::string errorSentence(const Error& error) {
    std::string words = whatFailed(error);
    for (const ReplacedTarget& target : error.replaced) {
        words += " O arquivo " + quoted(target.file) + " já tinha sido substituído";
        words += target.copy.empty() ? "." : "; o conteúdo anterior está em " + quoted(target.copy) + ".";
    }
    return words;
}

std::string errorWords(const Error& error) {
    const std::string sentence = errorSentence(error);
    return error.replaced.empty() ? sentence + " " + std::string(messages::kFilesUnchanged) : sentence;
}

std::string inUsersWords(const std::exception_ptr& failure) {
    return errorWords(errorOf(failure));
}

} // namespace sintegra
