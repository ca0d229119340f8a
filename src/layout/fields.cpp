#include "layout/fields.hpp"

#include <algorithm>
#include <array>

#include "layout/digits.hpp"
#include "layout/line_widths.hpp"
#include "layout/record_columns.hpp"

// Items as numbered in the texts of the manual that the states publish: items 9 to 17 (types 10 to
// 61R) as in the RICMS of Espírito Santo, items 18 to 26 (types 70 to 90) as in Anexo VII, Parte 2,
// of the RICMS of Minas Gerais (Decreto 43.080/2002).
namespace sintegra {
namespace {

using K = FieldKind;
using R = FieldRule;

constexpr Field num(std::string_view name, int first, int last, R rule = R::None,
                    std::string_view values = {}) {
    return {name, std::uint16_t(first), std::uint16_t(last), K::Numeric, 0, rule, values};
}
constexpr Field text(std::string_view name, int first, int last, R rule = R::None,
                     std::string_view values = {}) {
    return {name, std::uint16_t(first), std::uint16_t(last), K::Alphanumeric, 0, rule, values};
}
constexpr Field date(std::string_view name, int first, R rule = R::None) {
    return {name, std::uint16_t(first), std::uint16_t(first + kDateSize - 1), K::Date, 0, rule, {}};
}
constexpr Field month(std::string_view name, int first, R rule = R::None) {
    return {name, std::uint16_t(first), std::uint16_t(first + kMonthSize - 1), K::Month, 0, rule, {}};
}
// An Inscrição Estadual: "a UF é que vai comandar o cálculo do digito" (Guia Prático, registro tipo
// 10); a party without one is "ISENTO" (registro tipo 50, campo 03), a type 55 substitute without one
// in the favoured UF "INEXISTENTE" (registro tipo 55, campo 03). Each state's rule:
// verify/state_registration_rules.hpp.
constexpr Field ie(std::string_view name, int first, int stateColumn, R rule = R::StateRegistration) {
    const auto last = std::uint16_t(first + kStateRegistrationSize - 1);
    return {name, std::uint16_t(first), last, K::Alphanumeric, 0, rule, {}, std::uint16_t(stateColumn)};
}
constexpr Field dec(std::string_view name, int first, int last, int decimals = 2) {
    return {name, std::uint16_t(first), std::uint16_t(last), K::Decimal, std::uint8_t(decimals), R::None, {}};
}

constexpr std::string_view kStates =
    "AC|AL|AM|AP|BA|CE|DF|ES|GO|MA|MG|MS|MT|PA|PB|PE|PI|PR|RJ|RN|RO|RR|RS|SC|SE|"
    "SP|TO";
constexpr std::string_view kSituation = "N|S|E|X|2|4";
constexpr std::string_view kIssuer = "P|T";

// The codes and the first digit by state: Anexo II of Convênio SINIEF s/nº de 1970 (CFOP), and the
// Guia Prático do Convênio ICMS 57/95, type 50, field 10 (also 51, 53 and 70).
constexpr R kCfopTable = R::Cfop;
constexpr R kCfopByState = R::CfopOfState;

// Item 9: Mestre do estabelecimento.
constexpr std::array k10 = {
    num("CNPJ", 3, 16, R::InformantTaxId),
    ie("Inscrição Estadual", 17, 96, R::InformantStateRegistration),
    // Guia Prático, type 10: fields 4 to 6 are mandatory.
    text("Nome do Contribuinte", 31, 65, R::Required),
    text("Município", 66, 95, R::Required),
    text("Unidade da Federação", 96, 97, R::InformantState),
    num("Fax", 98, 107),
    date("Data Inicial", 108),
    date("Data Final", 116),
    text("Código da identificação da estrutura do arquivo", 124, 124, R::None, "1|2|3"),
    text("Código da identificação da natureza das operações", 125, 125, R::None, "1|2|3"),
    text("Código da finalidade do arquivo", 126, 126, R::None, "1|2|3|5"),
};

// Item 10: Dados complementares do informante.
// Guia Prático, type 11: the number or the complement ("s/n") is mandatory; so is a telephone (FAQ
// of type 11, question 3).
constexpr std::array k11 = {
    text("Logradouro", 3, 36),
    num("Número", 37, 41, R::RequiredOrNext),
    text("Complemento", 42, 63),
    text("Bairro", 64, 78),
    num("CEP", 79, 86),
    text("Nome do Contato", 87, 114),
    num("Telefone", 115, 126, R::Required),
};

// Item 11: Nota fiscal, modelos 1, 1-A, 4, 6, 21, 22 e 55, quanto ao ICMS.
constexpr std::array k50 = {
    num("CNPJ", 3, 16, R::TaxId),
    ie("Inscrição Estadual", 17, 39),
    date("Data de emissão ou recebimento", 31, R::InPeriod),
    text("Unidade da Federação", 39, 40, R::State),
    // Guia Prático, type 50, field 6 (01, 03, 06 and 22), and the models of this item's title.
    num("Modelo", 41, 42, R::None, "01|03|04|06|21|22|55"),
    text("Série", 43, 45),
    num("Número", 46, 51),
    num("CFOP", 52, 55, kCfopByState),
    text("Emitente", 56, 56, R::None, kIssuer),
    dec("Valor total", 57, 69),
    dec("Base de cálculo do ICMS", 70, 82),
    dec("Valor do ICMS", 83, 95),
    dec("Isenta ou não tributada", 96, 108),
    dec("Outras", 109, 121),
    dec("Alíquota", 122, 125),
    text("Situação", 126, 126, R::Situation, kSituation),
};

// Item 12: Total de nota fiscal quanto ao IPI.
constexpr std::array k51 = {
    num("CNPJ", 3, 16, R::TaxId),
    ie("Inscrição Estadual", 17, 39),
    date("Data de emissão ou recebimento", 31, R::InPeriod),
    text("Unidade da Federação", 39, 40, R::State),
    text("Série", 41, 43),
    num("Número", 44, 49),
    num("CFOP", 50, 53, kCfopByState),
    dec("Valor total", 54, 66),
    dec("Valor do IPI", 67, 79),
    dec("Isenta ou não tributada - IPI", 80, 92),
    dec("Outras - IPI", 93, 105),
    text("Brancos", 106, 125),
    text("Situação", 126, 126, R::Situation, kSituation),
};

// Item 13: Substituição tributária.
constexpr std::array k53 = {
    num("CNPJ", 3, 16, R::TaxId),
    ie("Inscrição Estadual", 17, 39),
    date("Data de emissão ou recebimento", 31, R::InPeriod),
    text("Unidade da Federação", 39, 40, R::State),
    num("Modelo", 41, 42),
    text("Série", 43, 45),
    num("Número", 46, 51),
    num("CFOP", 52, 55, kCfopByState),
    text("Emitente", 56, 56, R::None, kIssuer),
    dec("Base de cálculo do ICMS de substituição tributária", 57, 69),
    dec("ICMS retido", 70, 82),
    dec("Despesas acessórias", 83, 95),
    text("Situação", 96, 96, R::Situation, kSituation),
    text("Código da antecipação", 97, 97),
    text("Brancos", 98, 126),
};

// Item 14: Produto.
constexpr std::array k54 = {
    num("CNPJ", 3, 16, R::TaxId),
    num("Modelo", 17, 18),
    text("Série", 19, 21),
    num("Número", 22, 27),
    num("CFOP", 28, 31, kCfopTable),
    text("CST", 32, 34),
    num("Número do item", 35, 37),
    text("Código do produto ou serviço", 38, 51, R::ProductCode),
    dec("Quantidade", 52, 62, 3),
    dec("Valor do produto", 63, 74),
    dec("Valor do desconto ou despesa acessória", 75, 86),
    dec("Base de cálculo do ICMS", 87, 98),
    dec("Base de cálculo do ICMS de substituição tributária", 99, 110),
    dec("Valor do IPI", 111, 122),
    dec("Alíquota do ICMS", 123, 126),
};

// Item 15: Guia Nacional de Recolhimento de Tributos Estaduais.
constexpr std::array k55 = {
    num("CNPJ", 3, 16, R::TaxId),
    ie("Inscrição Estadual", 17, 41, R::SubstituteRegistration),
    date("Data da GNRE", 31),
    text("Unidade da Federação do substituto", 39, 40, R::State),
    text("Unidade da Federação favorecida", 41, 42, R::State),
    num("Banco GNRE", 43, 45),
    num("Agência GNRE", 46, 49),
    text("Número GNRE", 50, 69),
    dec("Valor GNRE", 70, 82),
    date("Data de vencimento", 83),
    month("Mês e ano de referência", 91),
    text("Número do convênio ou protocolo/mercadoria", 97, 126),
};

// Operações com veículos automotores novos (unnumbered in the text read).
constexpr std::array k56 = {
    num("CNPJ/CPF", 3, 16, R::TaxId),
    num("Modelo", 17, 18),
    text("Série", 19, 21),
    num("Número", 22, 27),
    num("CFOP", 28, 31, kCfopTable),
    num("CST", 32, 34),
    num("Número do item", 35, 37),
    text("Código do produto ou serviço", 38, 51),
    num("Tipo de operação", 52, 52, R::None, "0|1|2|3"),
    num("CNPJ da concessionária", 53, 66, R::TaxId),
    dec("Alíquota do IPI", 67, 70),
    text("Chassi", 71, 87),
    text("Brancos", 88, 126),
};

// Número de lote de fabricação de produto (not in the texts read: columns from generator libraries).
constexpr std::array k57 = {
    num("CNPJ", 3, 16, R::TaxId),
    text("Inscrição Estadual", 17, 30), // unchecked: the record names no UF
    num("Modelo", 31, 32),
    text("Série", 33, 35),
    num("Número", 36, 41),
    num("CFOP", 42, 45, kCfopTable),
    text("CST", 46, 48),
    num("Número do item", 49, 51),
    text("Código do produto", 52, 65),
    text("Número do lote de fabricação", 66, 85),
    text("Brancos", 86, 126),
};

// Item 16.2: Mestre do equipamento emissor de cupom fiscal.
constexpr std::array k60M = {
    date("Data de emissão", 4, R::InPeriod),
    text("Número de série de fabricação", 12, 31),
    num("Número de ordem seqüencial do equipamento", 32, 34),
    text("Modelo do documento fiscal", 35, 36),
    num("Contador de ordem de operação no início do dia", 37, 42),
    num("Contador de ordem de operação no fim do dia", 43, 48),
    num("Contador de redução Z", 49, 54),
    num("Contador de reinício de operação", 55, 57),
    dec("Valor da venda bruta", 58, 73),
    dec("Valor do totalizador geral", 74, 89),
    text("Brancos", 90, 126),
};

// Item 16.3: Analítico, cada situação tributária no fim do dia de cada equipamento.
constexpr std::array k60A = {
    date("Data de emissão", 4, R::InPeriod),
    text("Número de série de fabricação", 12, 31),
    text("Situação tributária/alíquota", 32, 35),
    dec("Valor acumulado no totalizador parcial", 36, 47),
    text("Brancos", 48, 126),
};

// Item 16.4: Resumo diário por mercadoria, produto ou serviço.
constexpr std::array k60D = {
    date("Data de emissão", 4, R::InPeriod),
    text("Número de série de fabricação", 12, 31),
    text("Código da mercadoria/produto ou serviço", 32, 45, R::ProductCode),
    dec("Quantidade", 46, 58, 3),
    dec("Valor da mercadoria/produto ou serviço", 59, 74),
    dec("Base de cálculo do ICMS", 75, 90),
    text("Situação tributária/alíquota", 91, 94),
    dec("Valor do ICMS", 95, 107),
    text("Brancos", 108, 126),
};

// Item 16.5: Item do documento fiscal emitido por equipamento.
constexpr std::array k60I = {
    date("Data de emissão", 4, R::InPeriod),
    text("Número de série de fabricação", 12, 31),
    text("Modelo do documento fiscal", 32, 33),
    num("Número de ordem do documento fiscal", 34, 39),
    num("Número do item", 40, 42),
    text("Código da mercadoria/produto ou serviço", 43, 56, R::ProductCode),
    dec("Quantidade", 57, 69, 3),
    dec("Valor da mercadoria/produto", 70, 82),
    dec("Base de cálculo do ICMS", 83, 94),
    text("Situação tributária/alíquota", 95, 98),
    dec("Valor do ICMS", 99, 110),
    text("Brancos", 111, 126),
};

// Item 16.6: Resumo mensal por mercadoria, produto ou serviço processado em equipamento.
constexpr std::array k60R = {
    month("Mês e ano de emissão", 4, R::InPeriod),
    text("Código da mercadoria/produto ou serviço", 10, 23, R::ProductCode),
    dec("Quantidade", 24, 36, 3),
    dec("Valor da mercadoria/produto ou serviço", 37, 52),
    dec("Base de cálculo do ICMS", 53, 68),
    text("Situação tributária/alíquota", 69, 72),
    text("Brancos", 73, 126),
};

// Item 17: Documentos fiscais não emitidos por equipamento emissor de cupom fiscal.
constexpr std::array k61 = {
    text("Brancos", 3, 16),
    text("Brancos", 17, 30),
    date("Data de emissão", 31, R::InPeriod),
    num("Modelo", 39, 40),
    text("Série", 41, 43),
    text("Subsérie", 44, 45),
    num("Número inicial de ordem", 46, 51),
    num("Número final de ordem", 52, 57),
    dec("Valor total", 58, 70),
    dec("Base de cálculo do ICMS", 71, 83),
    dec("Valor do ICMS", 84, 95),
    dec("Isenta ou não tributadas", 96, 108),
    dec("Outras", 109, 121),
    dec("Alíquota", 122, 125),
    text("Branco", 126, 126),
};

// Item 17, resumo mensal por item (61R).
constexpr std::array k61R = {
    month("Mês e ano de emissão", 4, R::InPeriod),
    text("Código do produto", 10, 23, R::ProductCode),
    dec("Quantidade", 24, 36, 3),
    dec("Valor bruto do produto", 37, 52),
    dec("Base de cálculo do ICMS", 53, 68),
    dec("Alíquota do produto", 69, 72),
    text("Brancos", 73, 126),
};

// Item 18: Nota fiscal de serviço de transporte e conhecimentos.
constexpr std::array k70 = {
    num("CNPJ", 3, 16, R::TaxId),
    ie("Inscrição Estadual", 17, 39),
    date("Data de emissão ou utilização", 31, R::InPeriod),
    text("Unidade da Federação", 39, 40, R::State),
    num("Modelo", 41, 42),
    text("Série", 43, 43),
    text("Subsérie", 44, 45),
    num("Número", 46, 51),
    num("CFOP", 52, 55, kCfopTable),
    dec("Valor total do documento fiscal", 56, 68),
    dec("Base de cálculo do ICMS", 69, 82),
    dec("Valor do ICMS", 83, 96),
    dec("Isenta ou não tributada", 97, 110),
    dec("Outras", 111, 124),
    num("CIF/FOB/Outros", 125, 125, R::None, "0|1|2"),
    text("Situação", 126, 126, R::Situation, kSituation),
};

// Item 19: Informações da carga transportada.
constexpr std::array k71 = {
    num("CNPJ do tomador", 3, 16, R::TaxId),
    ie("Inscrição Estadual do tomador", 17, 39),
    date("Data de emissão", 31, R::InPeriod),
    text("Unidade da Federação do tomador", 39, 40, R::State),
    num("Modelo", 41, 42),
    text("Série", 43, 43),
    text("Subsérie", 44, 45),
    num("Número", 46, 51),
    text("Unidade da Federação do remetente/destinatário", 52, 53, R::State),
    num("CNPJ do remetente/destinatário", 54, 67, R::TaxId),
    ie("Inscrição Estadual do remetente/destinatário", 68, 52),
    date("Data de emissão da nota fiscal", 82),
    text("Modelo da nota fiscal", 90, 91),
    text("Série da nota fiscal", 92, 94),
    num("Número da nota fiscal", 95, 100),
    dec("Valor total da nota fiscal", 101, 114),
    text("Brancos", 115, 126),
};

// Item 20: Registro de inventário. Goods the informant owns and holds itself (possession code 1)
// have zeros for CNPJ and blanks for IE (items 20.1.6 and 20.1.7); the others the holder's or the
// owner's.
constexpr std::array k74 = {
    date("Data do inventário", 3),
    text("Código do produto", 11, 24, R::ProductCode),
    dec("Quantidade", 25, 37, 3),
    dec("Valor do produto", 38, 50),
    text("Código de posse das mercadorias inventariadas", 51, 51, R::None, "1|2|3"),
    num("CNPJ do possuidor/proprietário", 52, 65, R::TaxId),
    ie("Inscrição Estadual do possuidor/proprietário", 66, 80, R::HolderStateRegistration),
    text("Unidade da Federação do possuidor/proprietário", 80, 81, R::StateOrBlank),
    text("Brancos", 82, 126),
};

// Item 21: Código de produto ou serviço.
constexpr std::array k75 = {
    date("Data inicial", 3),
    date("Data final", 11),
    text("Código do produto ou serviço", 19, 32),
    text("Código NCM", 33, 40),
    text("Descrição", 41, 93),
    text("Unidade de medida de comercialização", 94, 99),
    dec("Alíquota do IPI", 100, 104),
    dec("Alíquota do ICMS", 105, 108),
    dec("Redução da base de cálculo do ICMS", 109, 113),
    dec("Base de cálculo do ICMS de substituição tributária", 114, 126),
};

// Item 22: Nota fiscal de serviços de comunicação e de telecomunicação.
constexpr std::array k76 = {
    num("CNPJ/CPF", 3, 16, R::TaxId),
    ie("Inscrição Estadual", 17, 60),
    num("Modelo", 31, 32),
    text("Série", 33, 34),
    text("Subsérie", 35, 36),
    num("Número", 37, 46),
    num("CFOP", 47, 50, kCfopTable),
    num("Tipo de receita", 51, 51, R::None, "1|2"),
    date("Data de emissão ou recebimento", 52, R::InPeriod),
    text("Unidade da Federação", 60, 61, R::State),
    dec("Valor total", 62, 74),
    dec("Base de cálculo do ICMS", 75, 87),
    dec("Valor do ICMS", 88, 99),
    dec("Isenta ou não tributada", 100, 111),
    dec("Outras", 112, 123),
    num("Alíquota", 124, 125),
    text("Situação", 126, 126, R::Situation, kSituation),
};

// Item 23: Serviços de comunicação e telecomunicação.
constexpr std::array k77 = {
    num("CNPJ/CPF", 3, 16, R::TaxId),
    num("Modelo", 17, 18),
    text("Série", 19, 20),
    text("Subsérie", 21, 22),
    num("Número", 23, 32),
    num("CFOP", 33, 36, kCfopTable),
    num("Tipo de receita", 37, 37, R::None, "1|2"),
    num("Número do item", 38, 40),
    text("Código do serviço", 41, 51, R::ProductCode),
    dec("Quantidade", 52, 64, 3),
    dec("Valor do serviço", 65, 76),
    dec("Valor do desconto ou despesa acessória", 77, 88),
    dec("Base de cálculo do ICMS", 89, 100),
    num("Alíquota do ICMS", 101, 102),
    num("CNPJ/MF da operadora de destino", 103, 116, R::TaxId),
    num("Código do terminal", 117, 126),
};

// Item 23A: Informações de exportações.
constexpr std::array k85 = {
    num("Declaração de exportação", 3, 13),
    date("Data da declaração", 14),
    text("Natureza da exportação", 22, 22, R::None, "1|2|3|4"),
    num("Registro de exportação", 23, 34),
    date("Data do registro de exportação", 35, R::ZeroOrDate),
    text("Conhecimento de embarque", 43, 58),
    date("Data do conhecimento de embarque", 59, R::ZeroOrDate),
    num("Tipo do conhecimento", 67, 68, R::None,
        "01|02|03|04|06|07|08|09|10|11|12|13|14|16|17|18|19|20|91|92|93|99"),
    num("País", 69, 72),
    num("Reservado", 73, 80),
    date("Data da averbação da declaração de exportação", 81),
    num("Nota fiscal de exportação", 89, 94),
    date("Data de emissão da nota fiscal", 95),
    num("Modelo", 103, 104),
    num("Série", 105, 107),
    text("Brancos", 108, 126),
};

// Item 23B: Informações complementares de exportações.
constexpr std::array k86 = {
    num("Registro de exportação", 3, 14),
    date("Data do registro", 15),
    num("CNPJ do remetente", 23, 36, R::TaxId),
    ie("Inscrição Estadual do remetente", 37, 51),
    text("Unidade da Federação", 51, 52, R::State),
    num("Número da nota fiscal", 53, 58),
    date("Data de emissão", 59),
    num("Modelo", 67, 68),
    num("Série", 69, 71),
    text("Código do produto", 72, 85),
    dec("Quantidade", 86, 96, 3),
    dec("Valor unitário do produto", 97, 108),
    dec("Valor do produto", 109, 120),
    num("Relacionamento", 121, 121, R::None, "0|1|2|3"),
    text("Brancos", 122, 126),
};

// Items 24 and 25: mês sem movimento de entradas (88SME) ou de saídas (88SMS).
constexpr std::array k88Sm = {
    num("CNPJ/CPF", 6, 19, R::InformantTaxId),
    text("Mensagem", 20, 53),
    text("Brancos", 54, 126),
};

// Item 25D: Estoque de produtos sujeitos a substituição tributária.
constexpr std::array k88Stes = {
    num("CNPJ", 7, 20, R::InformantTaxId),
    date("Data do inventário", 21),
    text("Código do produto", 29, 88),
    dec("Quantidade", 89, 101, 3),
    dec("Valor do ICMS ST", 102, 113),
    dec("Valor do ICMS operações próprias", 114, 125),
    text("Brancos", 126, 126),
};

// Item 25E: Itens das notas fiscais de entrada de produtos sujeitos a substituição tributária. Its
// date is the day the goods came in, which for the stock of 88STES may precede the period.
constexpr std::array k88Stitnf = {
    num("CNPJ do remetente", 9, 22, R::TaxId),
    num("Modelo", 23, 24),
    text("Série", 25, 27),
    num("Número", 28, 36),
    num("CFOP", 37, 40),
    num("Código da situação tributária", 41, 43),
    num("Número do item", 44, 46),
    date("Data da entrada", 47),
    text("Código do produto", 55, 114),
    dec("Quantidade", 115, 125, 3),
    dec("Valor do produto", 126, 137),
    dec("Valor do desconto", 138, 149),
    dec("Base de cálculo do ICMS da operação própria", 150, 161),
    dec("Base de cálculo do ICMS ST", 162, 173),
    dec("Alíquota do ICMS ST", 174, 177),
    dec("Alíquota do ICMS da operação própria", 178, 181),
    dec("Valor do IPI", 182, 193),
    num("Chave da NF-e", 194, 237),
};

// Item 25F: Código de barras do produto.
constexpr std::array k88Ean = {
    num("Versão do código EAN", 6, 7, R::None, "08|12|13|14"),
    num("Código do produto ou serviço", 8, 21),
    text("Descrição", 22, 74),
    text("Unidade de medida de comercialização", 75, 80),
    text("Código de barras", 81, 94),
    text("Brancos", 95, 126),
};

// Item 26: Totalização do arquivo. The pairs of type and count in columns 31 to 125 vary in
// number; the totals check reads them.
constexpr std::array k90 = {
    num("CNPJ", 3, 16, R::InformantTaxId),
    ie("Inscrição Estadual", 17, 0, R::InformantStateRegistration),
    num("Número de registros tipo 90", 126, 126),
};

constexpr std::array<RecordLayout, 30> kRecords = {{
    {"10", kRecordWidth, k10},         {"11", kRecordWidth, k11},
    {"50", kRecordWidth, k50},         {"51", kRecordWidth, k51},
    {"53", kRecordWidth, k53},         {"54", kRecordWidth, k54},
    {"55", kRecordWidth, k55},         {"56", kRecordWidth, k56},
    {"57", kRecordWidth, k57},         {"60M", kRecordWidth, k60M},
    {"60A", kRecordWidth, k60A},       {"60D", kRecordWidth, k60D},
    {"60I", kRecordWidth, k60I},       {"60R", kRecordWidth, k60R},
    {"61", kRecordWidth, k61},         {"61R", kRecordWidth, k61R},
    {"70", kRecordWidth, k70},         {"71", kRecordWidth, k71},
    {"74", kRecordWidth, k74},         {"75", kRecordWidth, k75},
    {"76", kRecordWidth, k76},         {"77", kRecordWidth, k77},
    {"85", kRecordWidth, k85},         {"86", kRecordWidth, k86},
    {"88SME", kRecordWidth, k88Sm},    {"88SMS", kRecordWidth, k88Sm},
    {"88STES", kRecordWidth, k88Stes}, {"88STITNF", k88StitnfWidth, k88Stitnf},
    {"88EAN", kRecordWidth, k88Ean},   {"90", kRecordWidth, k90},
}};

// The columns that the rest of the program names (record_columns.hpp, fields.hpp, line_widths.hpp)
// are the field table's: a change to either that the other lacks stops the build.
constexpr const Field* named(std::span<const Field> fields, std::string_view name) {
    for (const Field& field : fields) {
        if (field.name == name) {
            return &field;
        }
    }
    return nullptr;
}

// Whether the fields from the one named first to the one named last fill [column, column + size).
constexpr bool spans(std::span<const Field> fields, std::string_view first, std::string_view last,
                     std::size_t column, std::size_t size) {
    const Field* from = named(fields, first);
    const Field* to = named(fields, last);
    return from != nullptr && to != nullptr && from->first == column && to->last + 1u == column + size;
}

constexpr bool spans(std::span<const Field> fields, std::string_view name, std::size_t column,
                     std::size_t size) {
    return spans(fields, name, name, column, size);
}

constexpr bool namesDocument(std::span<const Field> fields, const DocumentColumns& columns) {
    return spans(fields, "CNPJ", columns.cnpj, kCnpjSize) &&
           (columns.model == 0 ? named(fields, "Modelo") == nullptr
                               : spans(fields, "Modelo", columns.model, kModelSize)) &&
           spans(fields, "Série", columns.series, kSeriesSize) &&
           spans(fields, "Número", columns.number, kDocumentNumberSize);
}

// Types 60M, 60A, 60D and 60I: the sub-type, then the day and the equipment.
constexpr bool namesDay(std::span<const Field> fields) {
    return fields.front().first == kType60SubTypeColumn + 1 &&
           spans(fields, "Data de emissão", kType60DateColumn, kType60DateSize) &&
           spans(fields, "Número de série de fabricação", kType60SerialColumn, kType60SerialSize);
}

static_assert(spans(k10, "CNPJ", "Inscrição Estadual", kInformantColumn, kInformantSize));
static_assert(spans(k90, "CNPJ", "Inscrição Estadual", kInformantColumn, kInformantSize));
static_assert(spans(k10, "Unidade da Federação", kInformantStateColumn, kStateSize));
static_assert(spans(k10, "Data Inicial", "Data Final", kPeriodColumn, kPeriodSize));
static_assert(spans(k10, "Código da finalidade do arquivo", kPurposeColumn, 1));
static_assert(spans(k90, "Número de registros tipo 90", kCount90Column, 1));
static_assert(spans(k74, "Código de posse das mercadorias inventariadas", kType74PossessionColumn, 1));
static_assert(spans(k75, "Data inicial", "Data final", kProductPeriodColumn, kProductPeriodSize));
static_assert(spans(k75, "Código do produto ou serviço", kProductCodeColumn, kProductCodeSize));
static_assert(namesDay(k60M) && namesDay(k60A) && namesDay(k60D) && namesDay(k60I));
static_assert(spans(k60R, "Mês e ano de emissão", kType60RMonthColumn, kType60RMonthSize + kType60RYearSize));
static_assert(kType60RYearColumn == kType60RMonthColumn + kType60RMonthSize);
static_assert(namesDocument(k50, kDocument50) && namesDocument(k51, kDocument51) &&
              namesDocument(k53, kDocument53) && namesDocument(k54, kDocument54));

// Every record's last field ends at its width, and a type 88 sub-record has one width.
constexpr bool widthsAgree() {
    for (const RecordLayout& record : kRecords) {
        if (record.fields.back().last != record.width) {
            return false;
        }
        for (const SubRecord88& sub : kSubRecords88) {
            if (sub.code == record.code && sub.width != record.width) {
                return false;
            }
        }
    }
    return true;
}
static_assert(widthsAgree());

const RecordLayout* find(std::string_view code) {
    const auto found = std::find_if(kRecords.begin(), kRecords.end(),
                                    [code](const RecordLayout& r) { return r.code == code; });
    return found == kRecords.end() ? nullptr : &*found;
}

// Every line is looked up: by the number of its type, then by its sub-type for 60, 61 and 88.
struct LayoutIndex {
    std::array<const RecordLayout*, 100> byType{};
    std::array<const RecordLayout*, 256> by60SubType{};
};

const LayoutIndex& layoutIndex() {
    static const LayoutIndex index = [] {
        LayoutIndex built;
        for (const RecordLayout& record : kRecords) {
            if (record.code.size() == 2) {
                built.byType[static_cast<std::size_t>((record.code[0] - '0') * 10 + record.code[1] - '0')] =
                    &record;
            } else if (record.code.starts_with("60")) {
                built.by60SubType[static_cast<unsigned char>(record.code[2])] = &record;
            }
        }
        return built;
    }();
    return index;
}

} // namespace

const RecordLayout* recordLayoutOf(std::string_view line) {
    if (line.size() < 2 || !isDigit(line[0]) || !isDigit(line[1])) {
        return nullptr;
    }
    const LayoutIndex& index = layoutIndex();
    const auto type = static_cast<std::size_t>((line[0] - '0') * 10 + line[1] - '0');
    if (type == 60) {
        return line.size() > 2 ? index.by60SubType[static_cast<unsigned char>(line[2])] : nullptr;
    }
    if (type == 61 && line.size() > 2 && line[2] == 'R') {
        return find("61R");
    }
    if (type == 88) {
        const auto found = std::find_if(kRecords.begin(), kRecords.end(), [line](const RecordLayout& r) {
            return r.code.starts_with("88") && line.starts_with(r.code);
        });
        return found == kRecords.end() ? nullptr : &*found;
    }
    return index.byType[type];
}

std::span<const RecordLayout> recordLayouts() {
    return kRecords;
}

bool isStateAbbreviation(std::string_view text) {
    for (std::size_t at = 0; at + 1 < kStates.size(); at += 3) {
        if (kStates.substr(at, 2) == text) {
            return true;
        }
    }
    return false;
}

} // namespace sintegra
