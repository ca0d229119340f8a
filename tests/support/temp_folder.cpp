#include "support/temp_folder.hpp"

#include <cstdlib>
#include <stdexcept>

#include "support/files.hpp"

namespace sintegra::test {

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orv-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    path_ = pattern;
}

// Tests take write and read permission away; give them back so that everything can go.
TempFolder::~TempFolder() {
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(path_, error);
         it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        std::filesystem::permissions(
            it->path(), std::filesystem::perms::owner_all,
            std::filesystem::perm_options::add | std::filesystem::perm_options::nofollow, error);
    }
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 error);
    std::filesystem::remove_all(path_, error);
}

std::string TempFolder::write(const std::string& name, std::string_view content) const {
    const std::string path = file(name);
    writeFile(path, content);
    return path;
}

ProgramFolder::ProgramFolder() {
    std::filesystem::copy_file(ORV_TEMPLATE_FILE, path() / "Sintegra.mod");
}

} // namespace sintegra::test
