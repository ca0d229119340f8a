#pragma once

#include <string>

namespace sintegra {

// The user's words for an errno value.
std::string systemCause(int error);

} // namespace sintegra
