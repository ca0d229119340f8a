#include "app/startup.hpp"

#include "files/program_folder.hpp"
#include "run/runner.hpp"
#include "words/error_words.hpp"

namespace sintegra::app {

bool caught(const std::function<void()>& work, const Tell& tell) noexcept {
    try {
        work();
        return true;
    } catch (...) {
        try {
            tell(inUsersWords(std::current_exception()));
        } catch (...) {
            // A message box that cannot be shown either: the window goes on all the same.
        }
        return false;
    }
}

int startWindow(const std::function<ProgramFolders()>& folders, const Tell& tell,
                const std::function<int(Runner&)>& show) {
    int status = 1;
    caught(
        [&] {
            Runner runner(folders());
            status = show(runner);
        },
        tell);
    return status;
}

int startWindow(const Tell& tell, const std::function<int(Runner&)>& show) {
    return startWindow(defaultProgramFolders, tell, show);
}

} // namespace sintegra::app
