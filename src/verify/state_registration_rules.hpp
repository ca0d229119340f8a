#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

// The rule of each state for its Inscrição Estadual, beside the page where the state publishes it
// (the SINTEGRA portal keeps one page per state, "roteiro de crítica da inscrição estadual").
namespace sintegra::verify::ie {

// How a check digit follows from the sum S of the digits times their weights.
enum class Rule : std::uint8_t {
    Mod11,       // 11 minus the rest of S by 11; 0 when that gives 10 or 11
    Mod11Wrap,   // 11 minus the rest of S by 11, less 10 when that gives 10 or 11
    Mod11Rest,   // the last digit of the rest of S by 11
    Mod10,       // 10 minus the rest of S by 10; 0 when the rest is 0
    Mod10Digits, // as Mod10, with S the sum of the digits of the products
    Mod9,        // the rest of S by 9
    Amapa,       // as Mod11, with the constants p and d of the number's range added
};

struct CheckDigit {
    std::uint8_t at = 0; // the check digit's position, from 0; 0: no second check digit
    Rule rule = Rule::Mod11;
    std::array<std::uint8_t, 14> weights{}; // by position; 0 leaves a position out
};

constexpr CheckDigit digit(int at, Rule rule, std::initializer_list<int> weights) {
    CheckDigit made{static_cast<std::uint8_t>(at), rule, {}};
    std::size_t i = 0;
    for (const int weight : weights) {
        made.weights[i++] = static_cast<std::uint8_t>(weight);
    }
    return made;
}

// One way a state writes its numbers.
struct Form {
    std::uint8_t size;       // characters
    std::uint8_t shortest;   // fewer are read as if zeros filled the left (MT)
    std::string_view starts; // the beginnings it admits, '|' between them, '.' any digit; empty: any
    std::array<CheckDigit, 2> digits;
};

struct State {
    std::string_view uf;
    std::span<const Form> forms;
};

constexpr auto kMod11 = Rule::Mod11;
constexpr std::initializer_list<int> k9To2 = {9, 8, 7, 6, 5, 4, 3, 2};

// The common form: eight digits and one check digit, by weights 9 to 2.
constexpr std::array kNineDigits = {Form{9, 9, "", {digit(8, kMod11, k9To2)}}};

// AC and DF: thirteen digits, the last two check digits by the same weights.
constexpr std::array<CheckDigit, 2> kThirteenDigits = {
    digit(11, kMod11, {4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2}),
    digit(12, kMod11, {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2}),
};

// BA's two check digits, under the rule the number's form chooses: the last is worked out first,
// by weights from size - 1 down to 2; the other then by weights from size down to 3, and 2 for the
// last.
constexpr std::array<CheckDigit, 2> bahia(int size, Rule rule) {
    const auto at = static_cast<std::size_t>(size - 2);
    CheckDigit other{static_cast<std::uint8_t>(at), rule, {}};
    CheckDigit last{static_cast<std::uint8_t>(at + 1), rule, {}};
    for (std::size_t i = 0; i < at; ++i) {
        other.weights[i] = static_cast<std::uint8_t>(size - static_cast<int>(i));
        last.weights[i] = static_cast<std::uint8_t>(size - 1 - static_cast<int>(i));
    }
    other.weights[at + 1] = 2;
    return {other, last};
}

// http://www.sintegra.gov.br/Cad_Estados/cad_AC.html
constexpr std::array kAC = {Form{13, 13, "01", kThirteenDigits}};
// http://www.sintegra.gov.br/Cad_Estados/cad_AL.html gives 24, then the kind of business (0, 3,
// 5, 7 or 8); the state's own roteiro, http://www.sefaz.al.gov.br/sintegra/cad_AL.asp, gives 24 and
// no kind, and the state has issued numbers of other kinds (24.103.644-5): the state's rule holds.
constexpr std::array kAL = {Form{9, 9, "24", {digit(8, kMod11, k9To2)}}};
// http://www.sintegra.gov.br/Cad_Estados/cad_AP.html
constexpr std::array kAP = {Form{9, 9, "03", {digit(8, Rule::Amapa, k9To2)}}};
// Eight digits: https://www.sintegra.gov.br/Cad_Estados/cad_BA.html (as kept at
// http://apl03.sefaz.al.gov.br/sintegra/sintegra/cad_BA.asp), where the first digit chooses the
// modulus; nine digits: the state's own page,
// https://www.sefaz.ba.gov.br/contribuinte/informacoes_fiscais/doc_fiscal/calculodv.htm, where the
// second digit does.
constexpr std::array kBA = {
    Form{8, 8, "0|1|2|3|4|5|8", bahia(8, Rule::Mod10)},
    Form{8, 8, "6|7|9", bahia(8, kMod11)},
    Form{9, 9, ".0|.1|.2|.3|.4|.5|.8", bahia(9, Rule::Mod10)},
    Form{9, 9, ".6|.7|.9", bahia(9, kMod11)},
};
// http://www.sintegra.gov.br/Cad_Estados/cad_DF.html gives 07; its numbers ran out and SEFAZ-DF
// issues 08 since August 2020, 09 to follow, as its answer to a consultation says (quoted at
// https://github.com/erpbrasil/erpbrasil.base/pull/30; also TOTVS' release note DFWKFOUNDATION-4046,
// https://tdn.totvs.com/pages/viewpage.action?pageId=566472384).
constexpr std::array kDF = {Form{13, 13, "07|08|09", kThirteenDigits}};
// http://www.sintegra.gov.br/Cad_Estados/cad_GO.html: AB is 10, 11 or 20 to 29; a rest of 0 or 1
// gives 0 (older copies also admit 15 and a digit 1 for some numbers: the state's page does not).
constexpr std::array kGO = {Form{9, 9, "10|11|2", {digit(8, kMod11, k9To2)}}};
// http://www.sintegra.gov.br/Cad_Estados/cad_MA.html
constexpr std::array kMA = {Form{9, 9, "12", {digit(8, kMod11, k9To2)}}};
// http://www.sintegra.gov.br/Cad_Estados/cad_MG.html: the first check digit counts the digits of
// the products, with a 0 put after the municipality's three.
constexpr std::array<CheckDigit, 2> kMGDigits = {
    digit(11, Rule::Mod10Digits, {1, 2, 1, 1, 2, 1, 2, 1, 2, 1, 2}),
    digit(12, kMod11, {3, 2, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2}),
};
constexpr std::array kMG = {Form{13, 13, "", kMGDigits}};
// http://www.sintegra.gov.br/Cad_Estados/cad_MS.html, as updated on 19 April 2024: the first two
// digits are 28 or 50 (new companies get 50 since the state's e-CCE register); Resolução/SEF
// 1.344/1999 still gives 28 alone: the page holds.
constexpr std::array kMS = {Form{9, 9, "28|50", {digit(8, kMod11, k9To2)}}};
// http://www.sintegra.gov.br/Cad_Estados/cad_MT.html: eleven digits, zeros on the left of shorter ones.
constexpr std::array kMT = {Form{11, 9, "", {digit(10, kMod11, {3, 2, 9, 8, 7, 6, 5, 4, 3, 2})}}};
// http://www.sintegra.gov.br/Cad_Estados/cad_PA.html, as updated on 11 June 2024: 15 and 75 to 79.
// The state has issued numbers that start with 75 since 7 October 2024, as its Sefa announced
// (https://site-sefa-wordpress.sefa.pa.gov.br/2024/10/08/inscricoes-estaduais-podem-iniciar-com-
// numeracao-75/), naming 75 alone and the page for the rest: the page holds.
constexpr std::array kPA = {Form{9, 9, "15|75|76|77|78|79", {digit(8, kMod11, k9To2)}}};
// http://www.sintegra.gov.br/Cad_Estados/cad_PE.html: the eFisco number, nine digits; the CACEPE
// number it replaced, fourteen (http://apl03.sefaz.al.gov.br/sintegra/sintegra/cad_PE.asp).
constexpr std::array kPE = {
    Form{9, 9, "", {digit(7, kMod11, {8, 7, 6, 5, 4, 3, 2}), digit(8, kMod11, k9To2)}},
    Form{14, 14, "", {digit(13, Rule::Mod11Wrap, {5, 4, 3, 2, 1, 9, 8, 7, 6, 5, 4, 3, 2})}},
};
// http://www.sintegra.gov.br/Cad_Estados/cad_PR.html
constexpr std::array<CheckDigit, 2> kPRDigits = {
    digit(8, kMod11, {3, 2, 7, 6, 5, 4, 3, 2}),
    digit(9, kMod11, {4, 3, 2, 7, 6, 5, 4, 3, 2}),
};
constexpr std::array kPR = {Form{10, 10, "", kPRDigits}};
// http://www.sintegra.gov.br/Cad_Estados/cad_RJ.html
constexpr std::array kRJ = {Form{8, 8, "", {digit(7, kMod11, {2, 7, 6, 5, 4, 3, 2})}}};
// http://www.sintegra.gov.br/Cad_Estados/cad_RN.html: nine digits, or ten.
constexpr std::array kRN = {
    Form{9, 9, "20", {digit(8, kMod11, k9To2)}},
    Form{10, 10, "20", {digit(9, kMod11, {10, 9, 8, 7, 6, 5, 4, 3, 2})}},
};
// http://www.sintegra.gov.br/Cad_Estados/cad_RO.html: before 1 August 2000, three digits of the
// municipality that the check leaves out; since then, thirteen digits.
constexpr std::array kRO = {
    Form{9, 9, "", {digit(8, Rule::Mod11Wrap, {0, 0, 0, 6, 5, 4, 3, 2})}},
    Form{14, 14, "", {digit(13, Rule::Mod11Wrap, {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2})}},
};
// http://www.sintegra.gov.br/Cad_Estados/cad_RR.html
constexpr std::array kRR = {Form{9, 9, "24", {digit(8, Rule::Mod9, {1, 2, 3, 4, 5, 6, 7, 8})}}};
// http://www.sintegra.gov.br/Cad_Estados/cad_RS.html: no fixed first digits, so the MEIs' numbers,
// 800 and on since October 2024 (Instrução Normativa RE 87/2024), fit as they are.
constexpr std::array kRS = {Form{10, 10, "", {digit(9, kMod11, {2, 9, 8, 7, 6, 5, 4, 3, 2})}}};
// http://www.sintegra.gov.br/Cad_Estados/cad_SP.html: industry and trade, twelve digits; a rural
// producer, "P" and twelve digits, of which the ninth is the check digit.
constexpr std::array<CheckDigit, 2> kSPDigits = {
    digit(8, Rule::Mod11Rest, {1, 3, 4, 5, 6, 7, 8, 10}),
    digit(11, Rule::Mod11Rest, {3, 2, 10, 9, 8, 7, 6, 5, 4, 3, 2}),
};
constexpr std::array kSP = {
    Form{12, 12, "", kSPDigits},
    Form{13, 13, "P", {digit(9, Rule::Mod11Rest, {0, 1, 3, 4, 5, 6, 7, 8, 10})}},
};
// http://www.sintegra.gov.br/Cad_Estados/cad_TO.html: eleven digits, whose third and fourth give the
// kind of business and stay out of the check. The page says nothing of the nine-digit numbers the
// state issues too: they are taken as the same without those two digits.
constexpr std::array kTO = {
    Form{11, 11, "..01|..02|..03|..99", {digit(10, kMod11, {9, 8, 0, 0, 7, 6, 5, 4, 3, 2})}},
    Form{9, 9, "", {digit(8, kMod11, k9To2)}},
};

// AM, CE, ES, PB, PI, SC and SE use the common form: their pages are cad_AM.html, cad_CE.html,
// cad_ES.html, cad_PB.html, cad_PI.html, cad_SC.html and cad_SE.html beside the others.
constexpr std::array<State, 27> kStates = {{
    {"AC", kAC},         {"AL", kAL},         {"AM", kNineDigits}, {"AP", kAP},         {"BA", kBA},
    {"CE", kNineDigits}, {"DF", kDF},         {"ES", kNineDigits}, {"GO", kGO},         {"MA", kMA},
    {"MG", kMG},         {"MS", kMS},         {"MT", kMT},         {"PA", kPA},         {"PB", kNineDigits},
    {"PE", kPE},         {"PI", kNineDigits}, {"PR", kPR},         {"RJ", kRJ},         {"RN", kRN},
    {"RO", kRO},         {"RR", kRR},         {"RS", kRS},         {"SC", kNineDigits}, {"SE", kNineDigits},
    {"SP", kSP},         {"TO", kTO},
}};

} // namespace sintegra::verify::ie
