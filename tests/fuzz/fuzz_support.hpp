#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Plain models of how the program reads files, for the fuzz targets to hold the real code to.
namespace sintegra::fuzz {

// Stops the fuzzer with the input that broke an invariant.
void check(bool holds, std::string_view invariant);

// The input cut into pieces of random sizes, some empty; the same input gives the same pieces.
std::vector<std::string_view> randomPieces(std::string_view input, std::size_t largest = 300);

// A file's lines: a line ends at CR, CR LF or LF; a last line without an end counts unless empty.
std::vector<std::string> modelLines(std::string_view bytes);

// The first input file's bytes as the run reads them: a UTF-8 byte-order mark at the start and
// Ctrl-Z go, NUL and comma become spaces.
std::string modelCleaned(std::string_view bytes);

// The second input file's bytes as the run reads them: without the byte-order mark and Ctrl-Z.
std::string modelSecondRead(std::string_view bytes);

// A line without the spaces and Tabs before its code.
std::string withoutLeadingBlanks(std::string_view line);

// Whether lines of a file have the shape of a SINTEGRA file, as verify::FileShape judges it.
bool hasShape(const std::vector<std::string>& lines);

} // namespace sintegra::fuzz
