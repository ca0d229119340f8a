#include "app/startup.hpp"

#include "run/engine.hpp"
#include "run/run_error.hpp"

namespace sintegra::app {

std::unique_ptr<Engine> openEngine(const std::filesystem::path& programFolder,
                                   const std::function<void(const std::string&)>& tell) {
    try {
        return std::make_unique<Engine>(programFolder);
    } catch (const RunError& error) {
        tell(error.what());
        return nullptr;
    }
}

} // namespace sintegra::app
