#include <gtest/gtest.h>

#include "check_rows.hpp"

namespace sintegra::verify {

// One row that makes each check of a field fire and one that does not.
const std::vector<Row> kFieldRows = {
    {"numerico", true, {at(k50, 46, "00A123")}},
    {"numerico", true, {at(k50, 57, "0000000000:00")}},
    {"numerico",
     true,
     {at(k50, 57,
         "00000000\xFF"
         "0000")}},
    {"numerico", true, {at(k50, 3, "12abc34501de35")}},
    {"numerico", true, {at(k50, 3, "12ABC34501DE3A")}},
    // A line cut short: its missing fields are blanks, as a repair pads them.
    {"numerico", true, {k50.substr(0, 83)}},
    {"tabela", true, {k50.substr(0, 83)}},
    {"numerico", false, {k50, k88Stitnf, at(k50, 3, kLettered), at(k10, 3, kLettered2)}},
    {"data", true, {at(k50, 31, "20240230")}},
    {"data", false, {at(k50, 31, "20240229"), k88Stitnf}},
    {"periodo", true, {k10, at(k50, 31, "20240201")}},
    {"periodo", false, {k10, at(k50, 31, "20240131"), pad("60R012024" + pad("PROD1", 14), 72) + pad("", 54)}},
    {"uf", true, {at(k50, 39, "XX")}},
    {"uf", false, {at(k50, 39, "EX")}},
    {"cnpj-cpf", true, {at(k50, 3, "11222333000182")}},
    {"cnpj-cpf", true, {at(k50, 3, "12ABC34501DE36")}},
    {"cnpj-cpf", true, {at(k50, 3, "000ABC45678909")}}, // a CPF has no letters
    {"cnpj-cpf",
     false,
     {at(k50, 3, "00012345678909"), at(k50, 3, std::string(14, '0')), k88Stitnf, at(k50, 3, kLettered),
      at(k54, 3, kLettered2), k74}},
    {"cnpj-alfanumerico", true, {at(k50, 3, kLettered)}},
    {"cnpj-alfanumerico", false, {k50, at(k50, 3, "12abc34501de35"), at(k50, 3, "12ABC34501DE36")}},
    {"inscricao-estadual", true, {at(k50, 17, "110042490115")}},
    {"inscricao-estadual", true, {at(k10, 17, pad("ISENTO", 14))}},
    {"inscricao-estadual", true, {at(k10, 96, "MG")}},
    {"inscricao-estadual", true, {k10, at(k90, 17, "110042490115")}}, // by the type 10 record's UF
    {"inscricao-estadual", true, {at(k74, 51, "2")}}, // goods in another's hands name the holder
    {"inscricao-estadual", false, {k10, k50, at(k50, 17, "110042490114"), at(k50, 39, "EX"), k90, k74}},
    {"tabela", true, {at(k10, 126, "4")}},
    {"tabela", false, {at(k10, 126, "5")}},
    {"tabela", true, {at(k50, 41, "02")}},
    {"tabela", false, {at(k50, 41, "55")}},
    {"cfop", true, {at(k50, 52, "5999")}},
    {"cfop", false, {at(at(k50, 52, "0000"), 126, "S"), at(k54, 28, "1949")}},
    {"cfop-uf", true, {k10, at(k53, 52, "6102")}},
    {"cfop-uf", false, {k10, at(at(k50, 39, "EX"), 52, "7102"), at(at(k51, 39, "RJ"), 50, "2102")}},
    {"obrigatorio", true, {at(k10, 66, std::string(30, ' '))}},
    {"obrigatorio", true, {at(k11, 37, "00000")}},
    {"obrigatorio", false, {k10, at(at(k11, 37, "00000"), 42, "S/N")}},
};

namespace {

TEST(FieldChecker, eachFiresOnItsFaultAndOnlyThere) {
    expectEachFiresOnItsFaultAndOnlyThere(kFieldRows);
}

} // namespace
} // namespace sintegra::verify
