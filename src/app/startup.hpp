#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace sintegra {
class Engine;
}

namespace sintegra::app {

// The engine of the program folder, or none after telling the user which file of which folder
// kept it from starting.
std::unique_ptr<Engine> openEngine(const std::filesystem::path& programFolder,
                                   const std::function<void(const std::string&)>& tell);

} // namespace sintegra::app
