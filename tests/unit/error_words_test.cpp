#include <new>
#include <string_view>
#include <system_error>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "errors/store_error.hpp"
#include "run/file_verification.hpp"
#include "words/error_words.hpp"
#include "words/messages.hpp"

namespace sintegra {
namespace {

using enum ErrorKind;

Error failed(ErrorKind kind, std::error_code cause = {}, std::string second = "", std::string detail = "") {
    Error error(kind, "a", cause);
    error.secondFile = std::move(second);
    error.detail = std::move(detail);
    return error;
}

// Every word the user reads of a failure comes from here: each kind with its data, its cause in words (the
// system's, SQLite's, or SQLite's own message), what became of the files; and whatever a run throws.
TEST(ErrorWords, eachKindWithItsDataGivesItsSentence) {
    const std::error_code io = make_error_code(std::errc::io_error);
    const std::error_category& db = storeCategory();
    const auto thrown = [](auto failure) { return errorOf(std::make_exception_ptr(failure)); };
    const std::string dev = "erro de leitura ou gravação no dispositivo";
    const auto cannot = [](const std::string& step, const std::string& why) {
        return "Não foi possível " + step + " \"a\": " + why + ".";
    };
    const std::string model = "O modelo do banco de trabalho \"a\" não pode ser usado: ";
    const std::string no = "O arquivo [a] não parece um arquivo do SINTEGRA: ";
    const std::vector<std::pair<Error, std::string>> rows = {
        {failed(CannotOpen, io), cannot("abrir o arquivo", dev)},
        {failed(CannotRead, io), cannot("ler o arquivo", dev)},
        {failed(CannotCreateTemp, io), cannot("criar um arquivo temporário na pasta do arquivo", dev)},
        {failed(CannotWrite, io), cannot("gravar o arquivo", dev)},
        {failed(CannotReplace, io), cannot("substituir o arquivo", dev)},
        {failed(CannotCreateFolder, io), cannot("criar a pasta", dev)},
        {failed(NotRegularFile), cannot("abrir o arquivo", "não é um arquivo comum")},
        {failed(FileWriteProtected), "O arquivo \"a\" está protegido contra gravação."},
        {failed(FolderWriteProtected), "A pasta \"a\" está protegida contra gravação."},
        {failed(CopiesFolderUnusable),
         "A pasta de cópias \"a\" não é uma pasta comum (é um link ou um arquivo) e não foi usada."},
        {failed(ProgramFolderMissing), "A pasta do programa \"a\" não existe."},
        {failed(FolderInUse), "O Sintegra ORV já está em uso nesta pasta."},
        {failed(TemplateMissing),
         "O modelo do banco de trabalho Sintegra.mod não foi encontrado na pasta \"a\"."},
        {failed(TemplateIncomplete), model + "faltam tabelas de trabalho (REG50 a REG88)."},
        {failed(TemplateUnusable, {SQLITE_NOTADB, db}), model + "o arquivo não é um banco de dados."},
        {failed(TemplateUnusable, {SQLITE_ERROR, db}, "", "no such table"), model + "no such table."},
        {failed(TemplateNotCopied, io, "b"),
         "Não foi possível copiar o modelo \"a\" para \"b\": " + dev + "."},
        {failed(StoreNotRemoved, io), cannot("apagar o banco de trabalho", dev)},
        {failed(StoreNotRegularFile), cannot("apagar o banco de trabalho", "não é um arquivo comum")},
        {failed(StoreFailed, io), "Erro no banco de trabalho \"a\": " + dev + "."},
        {failed(OtherFormat),
         no + "começa como um arquivo compactado, um documento, uma imagem ou um programa."},
        {failed(NotText), no + "tem bytes que um arquivo de texto não tem."},
        {failed(NotRecords), no + "a maioria das linhas não tem a forma de um registro."},
        {lineTooLong("a", 3),
         "A linha 3 do arquivo [a] tem mais de 1 MiB: não parece um arquivo do SINTEGRA."},
        {failed(ChangedMeanwhile), "O arquivo [a] foi alterado por outro programa durante a execução."},
        {thrown(std::bad_alloc()), "Não há memória suficiente para concluir o trabalho."},
        {thrown(std::system_error(io)), "O sistema recusou um recurso ao programa: " + dev + "."},
        {thrown(std::runtime_error("sem janela")), "Erro inesperado: sem janela."},
        {thrown(42), "Erro inesperado."},
        {thrown(failed(NoRecord)), no + "nenhum registro reconhecido."},
        {failed(CannotCreateTemp, make_error_code(std::errc::filename_too_long)),
         cannot("criar um arquivo temporário na pasta do arquivo",
                "o caminho é longo demais para o sistema")},
        // A name's control characters escaped: no name adds a line of its own to a message.
        {Error(CannotOpen, "x\"\n\x1B[2J", io),
         "Não foi possível abrir o arquivo \"x\"\\x0A\\x1B[2J\": " + dev + "."},
        {Error(ChangedMeanwhile, "x]\x9B"),
         "O arquivo [x]›] foi alterado por outro programa durante a execução."},
    };
    for (const auto& [error, sentence] : rows) {
        EXPECT_EQ(errorWords(error), sentence + " Nenhum arquivo foi alterado.");
        EXPECT_TRUE(std::string_view(error.what()).starts_with(kindName(error.kind))) << error.what();
    }
    // what() is for a failed test or a log, in the code's names: kind, files, line, cause.
    EXPECT_STREQ(lineTooLong("a", 3).what(), "LineTooLong: a, line 3");
    EXPECT_STREQ(failed(TemplateNotCopied, io, "b").what(), "TemplateNotCopied: a -> b (generic 5)");
    Error replaced = failed(CannotReplace, io);
    replaced.replaced = {{"b", "c"}, {"d", ""}};
    EXPECT_EQ(errorWords(replaced), rows[4].second +
                                        " O arquivo \"b\" já tinha sido substituído; o conteúdo "
                                        "anterior está em \"c\". O arquivo \"d\" já tinha sido substituído.");
    EXPECT_EQ(messages::completion("x] finalizada !\nAnalise Terminada do arquivo [y.txt"),
              "Analise Terminada do arquivo [x] finalizada !\\x0AAnalise Terminada do arquivo [y.txt] "
              "finalizada !");
}

} // namespace
} // namespace sintegra
