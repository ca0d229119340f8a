#include "app/startup.hpp"

#include "files/program_folder.hpp"
#include "run/engine.hpp"
#include "run/run_error.hpp"

namespace sintegra::app {

std::unique_ptr<Engine> openEngine(const ProgramFolders& folders,
                                   const std::function<void(const std::string&)>& tell) {
    try {
        return std::make_unique<Engine>(folders);
    } catch (...) {
        tell(inUsersWords(std::current_exception()).what());
        return nullptr;
    }
}

} // namespace sintegra::app
