#include <new>
#include <system_error>

#include <gtest/gtest.h>

#include "files/folder_lock.hpp"
#include "files/system_error.hpp"
#include "run/run_error.hpp"

namespace sintegra {
namespace {

template <class Failure>
std::string said(const Failure& failure) {
    return inUsersWords(std::make_exception_ptr(failure)).what();
}

// Whatever a run throws, both front ends show one message in Portuguese, and say so when no file
// changed; a message already said is not said again.
TEST(FailureWords, everyFailureEndsInTheUsersWords) {
    const std::string unchanged = " Nenhum arquivo foi alterado.";
    EXPECT_EQ(said(RunError("O arquivo [a] não parece um arquivo do SINTEGRA.")),
              "O arquivo [a] não parece um arquivo do SINTEGRA." + unchanged);
    EXPECT_EQ(said(FolderInUse()), "O Sintegra ORV já está em uso nesta pasta." + unchanged);
    EXPECT_EQ(said(std::bad_alloc()), "Não há memória suficiente para concluir o trabalho." + unchanged);
    const std::error_code noThread = std::make_error_code(std::errc::resource_unavailable_try_again);
    EXPECT_EQ(said(std::system_error(noThread)),
              "O sistema recusou um recurso ao programa: " + systemCause(noThread) + "." + unchanged);
    EXPECT_EQ(said(42), "Erro inesperado." + unchanged);
    const RunFailure once = inUsersWords(std::make_exception_ptr(RunError("Falhou.")));
    EXPECT_EQ(said(once), "Falhou." + unchanged);
}

} // namespace
} // namespace sintegra
