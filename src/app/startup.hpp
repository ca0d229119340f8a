#pragma once

#include <functional>
#include <memory>
#include <string>

namespace sintegra {
class Engine;
struct ProgramFolders;
} // namespace sintegra

namespace sintegra::app {

// The engine of the program's folders, or none after telling the user which file of which folder
// kept it from starting.
std::unique_ptr<Engine> openEngine(const ProgramFolders& folders,
                                   const std::function<void(const std::string&)>& tell);

} // namespace sintegra::app
