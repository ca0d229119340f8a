#include "files/system_error.hpp"

#include "files/system_cause.hpp"

namespace sintegra {
namespace {

using detail::Cause;

const char* words(Cause cause) {
    switch (cause) {
    case Cause::Missing:
        return "o arquivo ou a pasta não existe";
    case Cause::Exists:
        return "já existe um arquivo com esse nome";
    case Cause::Denied:
        return "permissão negada";
    case Cause::DiskFull:
        return "não há espaço livre no disco";
    case Cause::QuotaExceeded:
        return "a cota de disco foi excedida";
    case Cause::FileTooLarge:
        return "o arquivo passou do tamanho máximo permitido";
    case Cause::ReadOnlyDisk:
        return "o disco está protegido contra gravação";
    case Cause::IsFolder:
        return "o caminho é uma pasta, não um arquivo";
    case Cause::NotFolder:
        return "uma parte do caminho não é uma pasta";
    case Cause::DeviceError:
        return "erro de leitura ou gravação no dispositivo";
    case Cause::NameTooLong:
        return "o caminho é longo demais para o sistema";
    case Cause::TooManyOpenFiles:
        return "há arquivos abertos demais";
    case Cause::TooManyLinks:
        return "há links simbólicos demais no caminho";
    case Cause::InUse:
        return "o arquivo está em uso por outro programa";
    case Cause::NoMemory:
        return "não há memória suficiente";
    case Cause::Other:
        break;
    }
    return nullptr;
}

} // namespace

namespace detail {

Cause causeOfErrc(int value) {
    switch (static_cast<std::errc>(value)) {
    case std::errc::no_such_file_or_directory:
        return Cause::Missing;
    case std::errc::file_exists:
        return Cause::Exists;
    case std::errc::permission_denied:
    case std::errc::operation_not_permitted:
        return Cause::Denied;
    case std::errc::no_space_on_device:
        return Cause::DiskFull;
    case std::errc::file_too_large:
        return Cause::FileTooLarge;
    case std::errc::read_only_file_system:
        return Cause::ReadOnlyDisk;
    case std::errc::is_a_directory:
    case std::errc::directory_not_empty: // what removing a folder as a file gives
        return Cause::IsFolder;
    case std::errc::not_a_directory:
        return Cause::NotFolder;
    case std::errc::io_error:
        return Cause::DeviceError;
    case std::errc::filename_too_long:
        return Cause::NameTooLong;
    case std::errc::too_many_files_open:
    case std::errc::too_many_files_open_in_system:
        return Cause::TooManyOpenFiles;
    case std::errc::too_many_symbolic_link_levels:
        return Cause::TooManyLinks;
    case std::errc::device_or_resource_busy:
    case std::errc::text_file_busy:
        return Cause::InUse;
    case std::errc::not_enough_memory:
        return Cause::NoMemory;
    default:
        return Cause::Other;
    }
}

} // namespace detail

std::string systemCause(std::error_code cause) {
    if (cause.category() == std::system_category()) {
        const char* text = words(detail::causeOfSystemCode(cause.value()));
        return text != nullptr ? text : detail::systemCodeText(cause.value());
    }
    const char* text =
        cause.category() == std::generic_category() ? words(detail::causeOfErrc(cause.value())) : nullptr;
    return text != nullptr ? text : cause.message();
}

} // namespace sintegra
