#pragma once

#include <string>

#include "run/run_summary.hpp"

namespace sintegra {

// That the first file was left as it was, for being in order already; empty when it was rewritten.
std::string inOrderText(const RunSummary& summary);

// The summary as lines of text in Portuguese: what was read and written, what the repair did that
// the user may not expect, and last what verifying the files found, the output against the input.
std::string formatSummary(const RunSummary& summary);

} // namespace sintegra
