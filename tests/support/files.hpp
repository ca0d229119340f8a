#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace sintegra::test {

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, std::string_view bytes);

// Lines joined by CR LF, with none after the last: the shape of every file the program writes.
std::string crlfJoined(const std::vector<std::string>& lines);
// The lines of a file written by the program.
std::vector<std::string> crlfLines(std::string_view text);

// A record line: code and body, padded with spaces to the record width.
std::string record(std::string_view text, std::size_t width = 126);

// The start of a record of a type whose first field is a CNPJ (50, 54, 90...), which the program takes
// for a record: code, a CNPJ and the rest.
std::string cnpjRecord(std::string_view code, std::string_view rest = "");

// The names in a folder, sorted.
std::vector<std::string> folderEntries(const std::filesystem::path& folder);

// Every temporary file that the program might have left in the folders.
std::vector<std::string> leftoverTemps(std::initializer_list<std::filesystem::path> folders);

} // namespace sintegra::test
