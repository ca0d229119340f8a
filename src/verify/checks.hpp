#pragma once

#include <array>

#include "verify/finding.hpp"

// Every check the verification makes, in the order its reports list them.
namespace sintegra::verify::check {

constexpr Severity kError = Severity::Error;
constexpr Severity kWarning = Severity::Warning;

// The shape of the file.
inline constexpr Check kFirstIs10{"primeiro-10", kError, "O primeiro registro não é do tipo 10"};
inline constexpr Check kSecondIs11{"segundo-11", kError, "O segundo registro não é do tipo 11"};
inline constexpr Check kMisplaced10Or11{"10-11-fora-do-lugar", kError,
                                        "Registro tipo 10 ou 11 fora do início do arquivo"};
inline constexpr Check kUnknownType{"tipo-desconhecido", kError, "Tipo de registro que o leiaute não tem"};
inline constexpr Check kWidth{"largura", kError, "Linha com largura diferente da do seu tipo"};
inline constexpr Check kOrder{"ordem", kError, "Registro fora da ordem crescente dos tipos"};
inline constexpr Check kAfter90{"depois-90", kError, "Registro depois dos registros tipo 90"};
inline constexpr Check kEndsWith90{"fim-90", kError, "O arquivo não termina com registros tipo 90"};
inline constexpr Check kCtrlZ{"ctrl-z", kWarning, "Arquivo com o caractere Ctrl-Z (fim de arquivo do DOS)"};

// The fields of each record.
inline constexpr Check kNumeric{"numerico", kError, "Campo numérico com caractere que não é algarismo"};
inline constexpr Check kDate{"data", kError, "Data ou mês que não existe"};
inline constexpr Check kPeriod{"periodo", kError, "Data fora do período do registro tipo 10"};
inline constexpr Check kPeriod10{"periodo-10", kError,
                                 "Período do registro tipo 10 com início depois do fim"};
inline constexpr Check kPeriodMonth{"periodo-mes", kError,
                                    "Período do registro tipo 10 que não é um mês inteiro"};
inline constexpr Check kState{"uf", kError, "Sigla de unidade da Federação que não existe"};
inline constexpr Check kTaxId{"cnpj-cpf", kError, "CNPJ ou CPF com dígitos verificadores errados"};
inline constexpr Check kAlphanumericCnpj{"cnpj-alfanumerico", kWarning,
                                         "CNPJ alfanumérico, que o leiaute declara numérico"};
inline constexpr Check kTable{"tabela", kError, "Código que a tabela do leiaute não tem"};
inline constexpr Check kStateRegistration{"inscricao-estadual", kError,
                                          "Inscrição estadual inválida para a sua unidade da Federação"};
inline constexpr Check kCfop{"cfop", kError, "CFOP que a tabela de códigos fiscais não tem"};
inline constexpr Check kCfopState{"cfop-uf", kError,
                                  "CFOP cujo primeiro dígito não corresponde à UF da operação"};
inline constexpr Check kRequired{"obrigatorio", kError, "Campo obrigatório vazio ou zerado"};

// The records among themselves.
inline constexpr Check kProductWithout75{"produto-sem-75", kError,
                                         "Código de produto ou serviço sem registro tipo 75"};
inline constexpr Check k54Without50{"54-sem-50", kError,
                                    "Registro tipo 54 sem o registro tipo 50 da sua nota"};
inline constexpr Check k51Without50{"51-sem-50", kError,
                                    "Registro tipo 51 sem o registro tipo 50 da sua nota"};
inline constexpr Check k53Without50{"53-sem-50", kError,
                                    "Registro tipo 53 sem o registro tipo 50 da sua nota"};
inline constexpr Check k60Without60M{"60-sem-60m", kError,
                                     "Registro 60A, 60D ou 60I sem o 60M do seu dia e equipamento"};
inline constexpr Check kUnused75{"75-sem-uso", kWarning,
                                 "Registro tipo 75 de um código que nenhum registro usa"};
inline constexpr Check kRelationsLimited{"relacoes-parciais", kWarning,
                                         "Códigos e notas demais para conferir entre os registros"};

// The totals of the type 90 records.
inline constexpr Check k90Informant{"90-cnpj-ie", kError,
                                    "Registro tipo 90 com CNPJ ou inscrição estadual diferente do tipo 10"};
inline constexpr Check kTypeTotal{"total-tipo", kError, "Total de um tipo diferente do número de registros"};
inline constexpr Check kMissingTotal{"total-ausente", kError,
                                     "Tipo de registro sem total no registro tipo 90"};
inline constexpr Check kGrandTotal{"total-geral", kError, "Total geral (tipo 99) ausente ou diferente"};
inline constexpr Check kCount90{"total-90", kError, "Número de registros tipo 90 (posição 126) errado"};

// Two files joined into one.
inline constexpr Check kJoinInformant{"juntar-cnpj-ie", kWarning,
                                      "Arquivos de CNPJ ou inscrição estadual diferentes"};
inline constexpr Check kJoinOverlap{"juntar-sobreposicao", kWarning, "Períodos dos arquivos se sobrepõem"};
inline constexpr Check kJoinGap{"juntar-intervalo", kWarning, "Períodos dos arquivos deixam dias de fora"};

// The checks among records, which remember product codes, documents and 60M records: a run makes
// them on its output only, where its memory allows.
inline constexpr std::array<const Check*, 7> kAcrossRecords = {
    &kProductWithout75, &k54Without50, &k51Without50,     &k53Without50,
    &k60Without60M,     &kUnused75,    &kRelationsLimited};

inline constexpr std::array<const Check*, 37> kAll = {&kFirstIs10,
                                                      &kSecondIs11,
                                                      &kMisplaced10Or11,
                                                      &kUnknownType,
                                                      &kWidth,
                                                      &kOrder,
                                                      &kAfter90,
                                                      &kEndsWith90,
                                                      &kCtrlZ,
                                                      &kNumeric,
                                                      &kDate,
                                                      &kPeriod,
                                                      &kPeriod10,
                                                      &kPeriodMonth,
                                                      &kState,
                                                      &kTaxId,
                                                      &kAlphanumericCnpj,
                                                      &kTable,
                                                      &kStateRegistration,
                                                      &kCfop,
                                                      &kCfopState,
                                                      &kRequired,
                                                      &kProductWithout75,
                                                      &k54Without50,
                                                      &k51Without50,
                                                      &k53Without50,
                                                      &k60Without60M,
                                                      &kUnused75,
                                                      &kRelationsLimited,
                                                      &k90Informant,
                                                      &kTypeTotal,
                                                      &kMissingTotal,
                                                      &kGrandTotal,
                                                      &kCount90,
                                                      &kJoinInformant,
                                                      &kJoinOverlap,
                                                      &kJoinGap};

} // namespace sintegra::verify::check
