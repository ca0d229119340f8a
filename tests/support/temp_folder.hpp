#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace sintegra::test {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const noexcept { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    // Writes a file in the folder and returns its path.
    std::string write(const std::string& name, std::string_view content) const;

private:
    std::filesystem::path path_;
};

// A folder holding a copy of the staging template, ready to be a program folder.
class ProgramFolder : public TempFolder {
public:
    ProgramFolder();
};

} // namespace sintegra::test
