#include <cmath>
#include <functional>
#include <optional>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/files.hpp"
#include "verify/stream_check.hpp"

namespace sintegra::verify {
namespace {

// Bytes as a generator of the given seed gives them.
std::string randomBytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(random() % 256);
    }
    return bytes;
}

// The lines of a real file, each changed, joined by end.
std::string sampleAs(const std::function<std::string(std::string)>& change, const std::string& end) {
    std::string changed;
    for (const std::string& line :
         test::crlfLines(std::regex_replace(test::readFile(std::filesystem::path(ORV_TEST_DATA) / "samples" /
                                                           "htisistema_SISCOMX_sintegra.txt"),
                                            std::regex("\n"), "\r\n"))) {
        const std::string kept = change(line);
        changed += kept.empty() ? "" : kept + end;
    }
    return changed;
}

// What a user may pick by mistake is refused, for the reason that it is not a SINTEGRA file; real
// files pass, however their lines end, blanked or short of their type 10, 11 and 90 records.
TEST(FileShape, refusesWhatIsNoSintegraFileAndTakesRealFiles) {
    const std::string record = test::cnpjRecord("50", "one\r\n");
    const std::string letter =
        "Prezados,\r\n\r\n50 unidades de parafuso seguem amanhã.\r\nAtenciosamente,\r\n";
    const std::string csv =
        "10/03/2013;Parafuso;1,50\r\n11/04/2013;Porca;0,75\r\n10/05/2013;Arruela;0,10\r\n";
    std::string numbered; // a type 10 record's form ten times: only the first four count
    for (char n = '0'; n <= '9'; ++n) {
        numbered += std::string("100320130000000") + n + ";Parafuso;1,50\r\n";
    }
    const auto noTrailingBlanks = [](std::string line) { return line.erase(line.find_last_not_of(' ') + 1); };
    using enum ShapeFault;
    const std::vector<std::pair<std::string, std::optional<ShapeFault>>> rows = {
        {"\x7f"
         "ELF\x02\x01\x01" +
             randomBytes(4000, 2),
         OtherFormat},
        {"PK\x03\x04\x14\x00\x08\x00\x08\x00sintegra.txt" + randomBytes(3000, 1), OtherFormat},
        {"\x1f\x8b\x08\x00" + randomBytes(2000, 3), OtherFormat},
        {"%PDF-1.4\n%\xe2\xe3\xcf\xd3\n1 0 obj\n<< /Type /Catalog >>\nendobj\n", OtherFormat},
        {"\x89PNG\r\n\x1a\n" + randomBytes(1000, 4), OtherFormat},
        {randomBytes(4096, 5), NotText},
        {"", NoRecord},
        {"\x1a\x1a\x1a", NoRecord},
        {letter, NoRecord},
        {csv, NoRecord},
        {"Data\tProduto\tValor\r\n10/03/2013\tParafuso\t1,50\r\n", NoRecord},
        {"<!DOCTYPE html>\n<html><body>\n<p>10/03/2013</p>\n</body></html>\n", NoRecord},
        {record + letter, NotRecords},
        {numbered, NotRecords},
        {sampleAs([](std::string line) { return line; }, ""), NoRecord},
        {sampleAs([](std::string line) { return line; }, "\r"), std::nullopt},
        {sampleAs(noTrailingBlanks, "\n") + "\x1a", std::nullopt},
        {sampleAs(
             [](std::string line) {
                 return std::regex_replace(line, std::regex("  "), std::string("\0,", 2));
             },
             "\r\n"),
         std::nullopt},
        {sampleAs(
             [](std::string line) {
                 return line.starts_with("1") || line.starts_with("9") ? std::string() : line;
             },
             "\n"),
         std::nullopt},
        {sampleAs([](const std::string& line) { return line.starts_with("50") ? line : std::string(); }, ""),
         std::nullopt},
        // A record whose CNPJ has letters (IN RFB 2.229/2024).
        {sampleAs(
             [](std::string line) {
                 return line.starts_with("50") ? line.replace(2, 14, "12ABC34501DE35") : std::string();
             },
             ""),
         std::nullopt},
    };
    for (const auto& [bytes, fault] : rows) {
        StreamCheck shape;
        std::optional<ShapeFault> refused;
        try {
            shape.feed(bytes);
            shape.finish();
        } catch (const NotSintegra& notSintegra) {
            refused = notSintegra.fault;
        }
        EXPECT_EQ(refused, fault) << bytes.substr(0, 60);
    }
}

// Not one of a thousand files of random bytes, of sizes spread evenly in magnitude from a byte to
// 64 KiB, read as the run reads them, is taken for a SINTEGRA file.
TEST(FileShape, takesNoFileOfRandomBytes) {
    std::mt19937 random(22);
    int accepted = 0;
    for (int file = 0; file < 1000; ++file) {
        std::string bytes(static_cast<std::size_t>(std::exp2(file % 100 * 0.16)), '\0');
        for (char& byte : bytes) {
            byte = static_cast<char>(random() % 256);
        }
        StreamCheck shape;
        try {
            shape.feed(bytes);
            shape.finish();
            ++accepted;
        } catch (const NotSintegra&) {
        }
    }
    EXPECT_EQ(accepted, 0);
}

} // namespace
} // namespace sintegra::verify
