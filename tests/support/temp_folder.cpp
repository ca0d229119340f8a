#include "support/temp_folder.hpp"

#include <random>
#include <stdexcept>

#include "support/files.hpp"
#include "support/transcript.hpp"

namespace sintegra::test {

// A random name, made by this test alone: creating a folder that is already there fails.
TempFolder::TempFolder() {
    std::mt19937_64 generator{std::random_device{}()};
    for (int attempt = 0; attempt < 100; ++attempt) {
        path_ = std::filesystem::temp_directory_path() / ("orv-test-" + std::to_string(generator()));
        if (std::filesystem::create_directory(path_)) {
            nameInTranscript(path_);
            return;
        }
    }
    throw std::runtime_error("no new temporary folder in " + path_.parent_path().string());
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
