#include "files/folder_lock.hpp"
#include "support/files.hpp"

namespace sintegra::test {

std::vector<std::string> leftoverTemps(std::initializer_list<std::filesystem::path> folders) {
    std::vector<std::string> temps;
    for (const std::filesystem::path& folder : folders) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
            if (isOwnTempFile(entry.path())) {
                temps.push_back(entry.path().string());
            }
        }
    }
    return temps;
}

} // namespace sintegra::test
