#pragma once

#include <string>
#include <string_view>

#include "layout/display_text.hpp"

// The texts that the user reads at the end of a run, the same in the window and the command line.
namespace sintegra::messages {

inline constexpr std::string_view kProgramTitle = "Sintegra ORV";
inline constexpr std::string_view kNoFileSelected = "Não a nenhum arquivo selecionado para analise!";
inline constexpr std::string_view kFilesUnchanged = "Nenhum arquivo foi alterado.";
inline constexpr std::string_view kCancelled = "Análise interrompida. Nenhum arquivo foi alterado.";
// A join of a file with itself: every record twice. The window asks; the command line warns.
inline constexpr std::string_view kSameFiles = "Os dois arquivos são o mesmo.";

// The path's control characters escaped, so that no name can add a line that looks like this one.
inline std::string completion(std::string_view outputPath) {
    return "Analise Terminada do arquivo [" + displayText(outputPath) + "] finalizada !";
}

} // namespace sintegra::messages
