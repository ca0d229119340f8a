#pragma once

#include <string_view>

#include "run/run_request.hpp"

namespace sintegra {

// The user's name of a phase, for a progress display.
std::string_view phaseLabel(Phase phase);

} // namespace sintegra
