#include "files/program_folder.hpp"

namespace sintegra {

ProgramFolders defaultProgramFolders() {
    const std::filesystem::path executable = executableFolder();
    if (canWriteIn(executable)) {
        return programFoldersAt(executable);
    }
    return {userDataFolder(), executable, true};
}

} // namespace sintegra
