#pragma once

#include <filesystem>
#include <vector>

namespace sintegra {

// A folder that the program keeps the user's records in, such as Copias: a folder of its own, never a
// link to one, which would lead its writes and deletes elsewhere. Per system, in own_folder_<system>.cpp.

// Makes folder when it is missing, for this user alone (0700; on Windows it inherits the ACL of the
// folder that holds it), and takes from one of this user's any access that others have. False when the
// name is taken by anything but a folder of its own: a link, even to a folder, or a file. Throws
// Error when it cannot be made.
bool makeOwnFolder(const std::filesystem::path& folder);
// Removes the files of these names from folder, only while it is a folder of its own: should a link
// take its place meanwhile, nothing elsewhere is removed. A link among them goes as itself.
void removeFromOwnFolder(const std::filesystem::path& folder,
                         const std::vector<std::filesystem::path>& names) noexcept;

} // namespace sintegra
