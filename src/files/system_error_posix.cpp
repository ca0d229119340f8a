#include <cerrno>

#include "files/system_cause.hpp"

namespace sintegra::detail {

// errno values are those of std::errc, but for the few that it lacks.
Cause causeOfSystemCode(int value) {
    if (value == EDQUOT) {
        return Cause::QuotaExceeded;
    }
    return causeOfErrc(value);
}

std::string systemCodeText(int value) {
    return std::system_category().message(value);
}

} // namespace sintegra::detail
