#pragma once

#include <string_view>

// The window's own texts, in UTF-8, the same in every view; those shared with the command line are
// in words/messages.hpp.
namespace sintegra::app::texts {

inline constexpr std::string_view kAnalyseTitle = "Sintegra ORV - 04/03/2013 - [Analisar Sintegra]";
inline constexpr std::string_view kJoinTitle = "Sintegra ORV - 04/03/2013 - [Junção de Período]";
inline constexpr std::string_view kChooseAFile = "Selecione um arquivo para analise!!!";
inline constexpr std::string_view kStopRunQuestion =
    "Uma análise está em andamento. Deseja interromper e sair?";
inline constexpr std::string_view kSameFilesQuestion = "Os dois arquivos são o mesmo. Juntar assim mesmo?";
// The button of a join's completion message that shows sintegra.txt in its folder.
inline constexpr std::string_view kOpenFolder = "Abrir pasta";
inline constexpr std::string_view kYes = "Sim";
inline constexpr std::string_view kNo = "Não";
// The button of a message that opens the findings window with its details.
inline constexpr std::string_view kShowDetails = "Mostrar detalhes...";

// The findings window.
inline constexpr std::string_view kFindingsTitle = "Sintegra ORV - [Detalhes]";
inline constexpr std::string_view kFilterByCheck = "Verificação:";
inline constexpr std::string_view kSaveReport = "Salvar relatório...";
inline constexpr std::string_view kClose = "Fechar";
// The save dialog of the report and the descriptions of its two file types, "*.txt" and "*.csv".
inline constexpr std::string_view kSaveReportTitle = "Salvar relatório";
inline constexpr std::string_view kTextReport = "Relatório em texto";
inline constexpr std::string_view kCsvReport = "Planilha CSV (separada por ponto e vírgula)";

// The open-file dialog: its title and the descriptions of its two file types, "*.txt" and every file.
inline constexpr std::string_view kDialogTitle = "Selecione o arquivo do sintegra";
inline constexpr std::string_view kSintegraFiles = "Arquivos do Sintegra do ORV";
inline constexpr std::string_view kAllFiles = "Todos arquivos (*.*)";

} // namespace sintegra::app::texts
