#include <vector>

#include <gtest/gtest.h>

#include "verify/state_registration.hpp"

namespace sintegra::verify {
namespace {

struct Row {
    std::string_view uf;
    std::string_view ie;
    IeVerdict verdict;
};

constexpr auto kValid = IeVerdict::Valid;
constexpr auto kDigit = IeVerdict::CheckDigit;
constexpr auto kFixed = IeVerdict::FixedDigits;
constexpr auto kLength = IeVerdict::Length;

// Each form of each state: a valid number, the example of the state's page unless marked "made"
// (worked out by hand from the page), and its broken twins.
const std::vector<Row> kRows = {
    {"AC", "0100482300112", kValid},
    {"AC", "0100482300113", kDigit},
    {"AC", "0200482300112", kFixed},
    // AL: 24, then any kind of business (numbers the state has issued).
    {"AL", "240000048", kValid},
    {"AL", "240000049", kDigit},
    {"AL", "241036445", kValid},
    {"AL", "241023580", kValid},
    {"AL", "250000048", kFixed},
    {"AM", "999999990", kValid},
    {"AM", "999999991", kDigit},
    // AP: one number per range of p and d (the second and third made); the digit that another
    // range's p and d would give is wrong.
    {"AP", "030123459", kValid},
    {"AP", "030123458", kDigit},
    {"AP", "040123459", kFixed},
    {"AP", "030170071", kValid},
    {"AP", "030170074", kDigit},
    {"AP", "030191009", kValid},
    {"AP", "030191004", kDigit},
    // BA: modulus 10 and modulus 11 at eight digits (the second made) and at nine.
    {"BA", "12345663", kValid},
    {"BA", "12345664", kDigit},
    {"BA", "10000405", kValid}, // made: a rest of 0 gives 0
    {"BA", "61234557", kValid},
    {"BA", "61234567", kDigit},
    {"BA", "123456748", kValid},
    {"BA", "123456749", kDigit},
    {"BA", "162345651", kValid},
    {"BA", "162345615", kDigit},
    {"BA", "1234567", kLength},
    // made: the second digit, not the first, chooses the modulus at nine digits.
    {"BA", "600000356", kValid},
    {"BA", "600000311", kDigit},
    {"CE", "060000015", kValid},
    {"CE", "060000016", kDigit},
    {"DF", "0730000100109", kValid},
    {"DF", "0730000100190", kDigit},
    {"DF", "0803455100107", kValid}, // issued since August 2020
    {"DF", "0803455100108", kDigit},
    {"DF", "0900000100100", kValid}, // made: announced
    {"DF", "0630000100109", kFixed},
    {"ES", "999999990", kValid},
    {"ES", "999999909", kDigit},
    // GO: 20 to 29 (made) but not 15.
    {"GO", "109876547", kValid},
    {"GO", "109876546", kDigit},
    {"GO", "201234505", kValid},
    {"GO", "159876547", kFixed},
    {"GO", "200024825", kValid}, // 20, issued since 2023
    {"MA", "120000385", kValid},
    {"MA", "120000386", kDigit},
    {"MA", "130000385", kFixed},
    // MG: each check digit wrong in turn.
    {"MG", "0623079040081", kValid},
    {"MG", "0623079040082", kDigit},
    {"MG", "0623079040091", kDigit},
    {"MG", "062307904008", kLength},
    {"MS", "283115947", kValid},
    {"MS", "283115948", kDigit},
    {"MS", "293115947", kFixed},
    {"MS", "500000000", kValid}, // made: 50, new companies' since 2024
    // MT: the zeros on the left may be left out.
    {"MT", "00130000019", kValid},
    {"MT", "00130000018", kDigit},
    {"MT", "130000019", kValid},
    {"MT", "1300019", kLength},
    {"PA", "159999995", kValid},
    {"PA", "159999994", kDigit},
    {"PA", "169999995", kFixed},
    {"PA", "750000023", kValid}, // made: the numbers issued since October 2024
    {"PA", "790000008", kValid}, // made: 75 to 79, as the page lists them
    {"PA", "740000004", kFixed},
    {"PB", "060000015", kValid},
    {"PB", "060000017", kDigit},
    // PE: the eFisco number and the older CACEPE one.
    {"PE", "032141840", kValid},
    {"PE", "032141804", kDigit},
    {"PE", "18100100000049", kValid},
    {"PE", "18100100000048", kDigit},
    {"PI", "012345679", kValid},
    {"PI", "012345678", kDigit},
    {"PR", "1234567850", kValid},
    {"PR", "1234567805", kDigit},
    {"RJ", "99999993", kValid},
    {"RJ", "99999994", kDigit},
    {"RN", "200400401", kValid},
    {"RN", "200400402", kDigit},
    {"RN", "2000400400", kValid},
    {"RN", "2000400401", kDigit},
    {"RN", "210400401", kFixed},
    // RO: before and since August 2000.
    {"RO", "101625213", kValid},
    {"RO", "101625214", kDigit},
    {"RO", "00000000625213", kValid},
    {"RO", "00000000625214", kDigit},
    {"RO", "101100081", kValid}, // made: a rest of 0 gives 1
    {"RO", "101100080", kDigit},
    {"RR", "240066281", kValid},
    {"RR", "240066282", kDigit},
    {"RR", "250066281", kFixed},
    {"RS", "2243658792", kValid},
    {"RS", "2243658793", kDigit},
    {"RS", "8002497099", kValid}, // a MEI's, issued since October 2024
    {"SC", "251040852", kValid},
    {"SC", "251040853", kDigit},
    {"SE", "271234563", kValid},
    {"SE", "271234564", kDigit},
    // SP: industry and trade, each check digit wrong in turn; a rural producer.
    {"SP", "110042490114", kValid},
    {"SP", "110042490115", kDigit},
    {"SP", "110042491114", kDigit},
    {"SP", "P011004243002", kValid},
    {"SP", "P011004244002", kDigit},
    {"SP", "X011004243002", IeVerdict::Characters},
    {"SP", "P10042499114", kFixed}, // a valid twelve-digit number but for the P
    // TO: eleven digits with the kind of business, nine without.
    {"TO", "29010227836", kValid},
    {"TO", "29010227837", kDigit},
    {"TO", "29040227836", kFixed},
    {"TO", "290227836", kValid},
    {"TO", "290227837", kDigit},
    // The UF commands: a number is wrong under another state's rule.
    {"SP", "0623079040081", kFixed},
    {"MS", "109876547", kFixed},
    {"RJ", "12345663", kDigit},
    {"SP", "110.042.490.114", IeVerdict::Characters},
    {"BA", ".23456748", IeVerdict::Characters},
    {"SP", "", IeVerdict::Empty},
    {"EX", "ISENTO", IeVerdict::UnknownState},
};

TEST(StateRegistration, eachFormTakesItsNumbersAndRefusesTheirBrokenTwins) {
    for (const Row& row : kRows) {
        EXPECT_EQ(checkStateRegistration(row.uf, row.ie), row.verdict) << row.uf << " " << row.ie;
    }
}

} // namespace
} // namespace sintegra::verify
