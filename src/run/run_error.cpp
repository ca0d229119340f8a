#include "run/run_error.hpp"

#include <new>
#include <string>
#include <system_error>

#include "files/folder_lock.hpp"
#include "files/system_error.hpp"
#include "run/messages.hpp"
#include "staging/store_error.hpp"

namespace sintegra {
namespace {

RunFailure unchanged(const std::string& message) {
    return RunFailure(message + " " + std::string(messages::kFilesUnchanged));
}

} // namespace

RunFailure inUsersWords(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const RunFailure& said) {
        return said;
    } catch (const FolderInUse&) {
        return unchanged(std::string(messages::kFolderInUse));
    } catch (const FileError& error) {
        return error.filesUnchanged() ? unchanged(error.what()) : RunFailure(error.what());
    } catch (const RunError& error) {
        return unchanged(error.what());
    } catch (const StoreError& error) {
        return unchanged(error.what());
    } catch (const std::bad_alloc&) {
        return unchanged("Não há memória suficiente para concluir o trabalho.");
    } catch (const std::system_error& error) {
        return unchanged("O sistema recusou um recurso ao programa: " + systemCause(error.code()) + ".");
    } catch (const std::exception& error) {
        return unchanged("Erro inesperado: " + std::string(error.what()) + ".");
    } catch (...) {
        return unchanged("Erro inesperado.");
    }
}

} // namespace sintegra
