#pragma once

#include <string>
#include <string_view>

namespace sintegra::app::win32 {

// The logic's UTF-8 and Windows' UTF-16.
std::wstring widen(std::string_view text);
std::string narrow(std::wstring_view text);

} // namespace sintegra::app::win32
