#pragma once

#include <ostream>

namespace sintegra::cli {

// The whole command line: parses the arguments, runs the request and reports to out and err.
// Returns the exit status.
int runCommandLine(int argc, char** argv, std::ostream& out, std::ostream& err);

} // namespace sintegra::cli
