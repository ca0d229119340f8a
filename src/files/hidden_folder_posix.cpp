#include "files/hidden_folder.hpp"

#include <string>

namespace sintegra {

bool inHiddenFolder(const std::filesystem::path& folder) {
    for (const std::filesystem::path& part : folder) {
        const std::string name = part.string();
        if (name.size() > 1 && name.front() == '.' && name != "..") {
            return true;
        }
    }
    return false;
}

} // namespace sintegra
