#pragma once

#include <QString>

// The window's own texts; those shared with the command line are in run/messages.hpp.
namespace sintegra::app::texts {

inline const QString kAnalyseTitle = QStringLiteral("Sintegra ORV - 04/03/2013 - [Analisar Sintegra]");
inline const QString kJoinTitle = QStringLiteral("Sintegra ORV - 04/03/2013 - [Junção de Período]");
inline const QString kChooseAFile = QStringLiteral("Selecione um arquivo para analise!!!");
inline const QString kStopRunQuestion =
    QStringLiteral("Uma análise está em andamento. Deseja interromper e sair?");
inline const QString kDialogTitle = QStringLiteral("Selecione o arquivo do sintegra");

} // namespace sintegra::app::texts
