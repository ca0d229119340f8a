#pragma once

#include <string>
#include <system_error>

namespace sintegra {

// The user's words for a system error: errno on POSIX, GetLastError() on Windows, or a std::errc.
std::string systemCause(std::error_code cause);

} // namespace sintegra
