#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The texts that the user reads at the end of a run, the same in the window and the command line.
namespace sintegra::messages {

inline constexpr std::string_view kProgramTitle = "Sintegra ORV";
inline constexpr std::string_view kNoFileSelected = "Não a nenhum arquivo selecionado para analise!";
inline constexpr std::string_view kFilesUnchanged = "Nenhum arquivo foi alterado.";
inline constexpr std::string_view kCancelled = "Análise interrompida. Nenhum arquivo foi alterado.";
inline constexpr std::string_view kFolderInUse = "O Sintegra ORV já está em uso nesta pasta.";
// A join of a file with itself: every record twice. The window asks; the command line warns.
inline constexpr std::string_view kSameFiles = "Os dois arquivos são o mesmo.";

inline std::string completion(std::string_view outputPath) {
    return "Analise Terminada do arquivo [" + std::string(outputPath) + "] finalizada !";
}

// An input file that another program wrote to after the run had read it.
inline std::string changedMeanwhile(std::string_view path) {
    return "O arquivo [" + std::string(path) + "] foi alterado por outro programa durante a execução.";
}

// An input file that is not a SINTEGRA file, and why in a few words.
inline std::string notSintegra(std::string_view path, std::string_view why) {
    return "O arquivo [" + std::string(path) + "] não parece um arquivo do SINTEGRA: " + std::string(why) +
           ".";
}

// A line, numbered from 1, longer than any record can be.
inline std::string lineTooLong(std::uint64_t line, std::string_view path) {
    return "A linha " + std::to_string(line) + " do arquivo [" + std::string(path) +
           "] tem mais de 1 MiB: não parece um arquivo do SINTEGRA.";
}

} // namespace sintegra::messages
