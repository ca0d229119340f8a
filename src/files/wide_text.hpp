#pragma once

#include <string>
#include <string_view>

namespace sintegra {

// The program's UTF-8 and Windows' UTF-16, on Windows only: names, arguments and system messages
// cross between them here and nowhere else.
std::wstring widen(std::string_view text);
std::string narrow(std::wstring_view text);

} // namespace sintegra
