#pragma once

#include <string>

namespace CLI {
class App;
class ParseError;
} // namespace CLI

namespace sintegra::cli {

// What is wrong with the arguments, in Portuguese: CLI11's own messages are in English.
std::string usageProblem(const CLI::App& app, const CLI::ParseError& error);

} // namespace sintegra::cli
