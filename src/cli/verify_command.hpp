#pragma once

#include <ostream>
#include <string>

namespace CLI {
class App;
}

namespace sintegra::cli {

struct VerifyOptions {
    bool chosen = false;
    std::string file;
    bool json = false;
    bool csv = false;
    bool all = false;
};

// Adds "verificar ARQUIVO [--json | --csv] [--todas]" to the command line.
void addVerifyCommand(CLI::App& app, VerifyOptions& options);

// Reads the file, checks it against the layout and reports on out; changes nothing and needs no
// program folder. Returns the exit status: 0 without errors, 3 with errors, 1 when the file cannot
// be read or out did not take the whole report.
int runVerify(const VerifyOptions& options, std::ostream& out, std::ostream& err);

} // namespace sintegra::cli
