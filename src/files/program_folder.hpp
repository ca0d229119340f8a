#pragma once

#include <filesystem>
#include <string_view>

namespace sintegra {

// The template of the staging store, in ProgramFolders::templates.
inline constexpr std::string_view kTemplateFileName = "Sintegra.mod";

// Where the program keeps its files. The template of the staging store is installed beside the
// executable; the store, the lock file, the copies and the join's output go where this user may
// write.
struct ProgramFolders {
    std::filesystem::path data;      // Sintegra.mdb, Sintegra.lck, Copias, sintegra.txt
    std::filesystem::path templates; // Sintegra.mod
    bool createData = false;         // made on first use; a folder that the user names must exist
};

// Everything in one folder, as the user names it.
inline ProgramFolders programFoldersAt(const std::filesystem::path& folder) {
    return {folder, folder, false};
}

// The executable's folder when this user may write there; otherwise the user's data folder for the
// program, with the template still read beside the executable.
ProgramFolders defaultProgramFolders();

// Per system, in program_folder_<system>.cpp.
std::filesystem::path executableFolder();
bool canWriteIn(const std::filesystem::path& folder);
// $XDG_DATA_HOME/sintegra-orv or ~/.local/share/sintegra-orv; %LOCALAPPDATA%\Sintegra ORV.
std::filesystem::path userDataFolder();

} // namespace sintegra
