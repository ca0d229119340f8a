#include <functional>
#include <random>
#include <regex>

#include <gtest/gtest.h>

#include "files/input_file.hpp"
#include "run/file_verification.hpp"
#include "support/files.hpp"
#include "support/process.hpp"
#include "support/temp_folder.hpp"
#include "words/error_words.hpp"

namespace sintegra {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::writeFile;

// The copies that a run's summary names, by the file they were made of.
std::map<std::string, std::string> namedCopies(const std::string& summary) {
    std::map<std::string, std::string> copies;
    const std::size_t list = summary.find("Cópias do conteúdo anterior:\n");
    const std::size_t end = summary.find("\n\n", list); // the list ends at a blank line
    for (std::size_t at = summary.find("\n  ", list); list != std::string::npos && at < end;
         at = summary.find("\n  ", at + 1)) {
        const std::size_t colon = summary.find(": ", at);
        copies[summary.substr(at + 3, colon - at - 3)] =
            summary.substr(colon + 2, summary.find('\n', colon) - colon - 2);
    }
    return copies;
}

class ProtectionTest : public ::testing::Test {
protected:
    test::ProcessResult run(const std::vector<std::string>& files,
                            const std::vector<std::string>& options = {}) {
        std::vector<std::string> arguments = {files.size() == 1 ? "analisar" : "juntar"};
        arguments.insert(arguments.end(), files.begin(), files.end());
        arguments.insert(arguments.end(), {"--pasta", folder.path().string()});
        arguments.insert(arguments.end(), options.begin(), options.end());
        return test::runCli(arguments);
    }
    fs::path copies() const { return folder.path() / "Copias"; }

    test::ProgramFolder folder;
    test::TempFolder work;
};

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
    for (const std::string& line : test::crlfLines(std::regex_replace(
             readFile(fs::path(ORV_TEST_DATA) / "samples" / "htisistema_SISCOMX_sintegra.txt"),
             std::regex("\n"), "\r\n"))) {
        const std::string kept = change(line);
        changed += kept.empty() ? "" : kept + end;
    }
    return changed;
}

// Only a file whose lines look like records is processed, in either place; anything else chosen by
// mistake is refused and left as it was, by verificar too. Every file replaced leaves a copy that
// the summary names.
TEST_F(ProtectionTest, processesOnlyWhatHasTheShapeOfASintegraFileAndCopiesWhatItReplaces) {
    const std::string record = test::cnpjRecord("50", "one\r\n");
    const std::string letter =
        "Prezados,\r\n\r\n50 unidades de parafuso seguem amanhã.\r\nAtenciosamente,\r\n";
    const std::string zip = "PK\x03\x04\x14\x00\x08\x00\x08\x00sintegra.txt" + randomBytes(3000, 1);
    const std::string csv =
        "10/03/2013;Parafuso;1,50\r\n11/04/2013;Porca;0,75\r\n10/05/2013;Arruela;0,10\r\n";
    std::string numbered; // a type 10 record's form ten times: only the first four count
    for (char n = '0'; n <= '9'; ++n) {
        numbered += std::string("100320130000000") + n + ";Parafuso;1,50\r\n";
    }
    const std::string a = work.file("a.txt"), b = work.file("b.txt");
    const auto says = [](const std::string& path, ErrorKind why) { return errorWords(Error(why, path)); };
    using enum ErrorKind;
    const auto noTrailingBlanks = [](std::string line) { return line.erase(line.find_last_not_of(' ') + 1); };
    const std::string joined = folder.file("sintegra.txt");
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        {"\x7f"
         "ELF\x02\x01\x01" +
             randomBytes(4000, 2),
         "", says(a, OtherFormat)},
        {zip, "", says(a, OtherFormat)},
        {"\x1f\x8b\x08\x00" + randomBytes(2000, 3), "", says(a, OtherFormat)},
        {"%PDF-1.4\n%\xe2\xe3\xcf\xd3\n1 0 obj\n<< /Type /Catalog >>\nendobj\n", "", says(a, OtherFormat)},
        {"\x89PNG\r\n\x1a\n" + randomBytes(1000, 4), "", says(a, OtherFormat)},
        {randomBytes(4096, 5), "", says(a, NotText)},
        {"", "", says(a, NoRecord)},
        {"\x1a\x1a\x1a", "", says(a, NoRecord)},
        {letter, "", says(a, NoRecord)},
        {csv, "", says(a, NoRecord)},
        {"Data\tProduto\tValor\r\n10/03/2013\tParafuso\t1,50\r\n", "", says(a, NoRecord)},
        {"<!DOCTYPE html>\n<html><body>\n<p>10/03/2013</p>\n</body></html>\n", "", says(a, NoRecord)},
        {record + letter, "", says(a, NotRecords)},
        {numbered, "", says(a, NotRecords)},
        {sampleAs([](std::string line) { return line; }, ""), "", says(a, NoRecord)},
        {record + "\r\n" + test::cnpjRecord("88", std::string(1 << 20, 'x')), "",
         errorWords(lineTooLong(a, 3))},
        {record, letter, says(b, NoRecord)},
        {record, zip, says(b, OtherFormat)},
        {record, "", ""},
        {record, test::cnpjRecord("54", "two"), ""},
        {record, "\xEF\xBB\xBF" + test::cnpjRecord("10", "\r\n") + test::cnpjRecord("54", "two"), ""},
        {sampleAs([](std::string line) { return line; }, "\r"), "", ""},
        {sampleAs(noTrailingBlanks, "\n") + "\x1a", "", ""},
        {sampleAs(
             [](std::string line) {
                 return std::regex_replace(line, std::regex("  "), std::string("\0,", 2));
             },
             "\r\n"),
         "", ""},
        {sampleAs([](std::string line) { return line.starts_with("1") || line.starts_with("9") ? "" : line; },
                  "\n"),
         "", ""},
        {sampleAs([](std::string line) { return line.starts_with("50") ? line : ""; }, ""), "", ""},
        // A record whose CNPJ has letters (IN RFB 2.229/2024).
        {sampleAs(
             [](std::string line) {
                 return line.starts_with("50") ? line.replace(2, 14, "12ABC34501DE35") : "";
             },
             ""),
         "", ""},
    };
    for (const auto& [first, second, refusal] : cases) {
        std::vector<std::string> files = {work.write("a.txt", first)};
        if (!second.empty()) {
            files.push_back(work.write("b.txt", second));
        }
        writeFile(joined, "an earlier join");
        const test::ProcessResult result = run(files);
        const test::ProcessResult verified = test::runCli({"verificar", files.back()});
        if (!refusal.empty()) {
            const std::string said = "sintegra-orv-cli: " + refusal + "\n";
            EXPECT_EQ(result.status, 1);
            EXPECT_EQ(result.err, said);
            EXPECT_EQ(verified.status, 1);
            EXPECT_EQ(verified.out + verified.err, said);
            EXPECT_EQ(readFile(files.front()), first);
            EXPECT_EQ(readFile(joined), "an earlier join");
            EXPECT_FALSE(fs::exists(copies()));
            continue;
        }
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_NE(verified.status, 1) << verified.err;
        std::map<std::string, std::string> expected = {{files.front(), first}};
        if (!second.empty()) {
            expected[joined] = "an earlier join";
        }
        const std::map<std::string, std::string> named = namedCopies(result.err);
        ASSERT_EQ(named.size(), expected.size()) << result.err;
        for (const auto& [file, old] : expected) {
            EXPECT_EQ(fs::path(named.at(file)).parent_path(), copies());
            EXPECT_EQ(readFile(named.at(file)), old);
        }
        fs::remove_all(copies());
    }
}

// A name of another shape is left alone, whatever it holds; a file chosen in Copias is a file that
// the run reads and writes, which the pruning spares however old its name says it is.
TEST_F(ProtectionTest, keepsTheTwentyNewestCopiesAndNoneWhenAskedNotTo) {
    const std::string file = work.write("a.txt", test::cnpjRecord("50"));
    fs::create_directory(copies());
    for (int second = 10; second < 30; ++second) {
        writeFile(copies() / ("a (2001-02-03 04-05-" + std::to_string(second) + ").txt"), "old");
    }
    writeFile(copies() / "leia-me.txt", "not a copy");
    writeFile(copies() / "b (2026-01-01 00-00-00) (99999999999999999999999).txt", "not a copy either");
    ASSERT_EQ(run({file}, {"-q"}).status, 0);
    std::vector<std::string> kept = test::folderEntries(copies());
    ASSERT_EQ(kept.size(), 22u);
    EXPECT_EQ(kept.front(), "a (2001-02-03 04-05-11).txt");
    EXPECT_TRUE(std::regex_match(kept[19], std::regex(R"(a \(\d{4}-\d\d-\d\d \d\d-\d\d-\d\d\)\.txt)")));
    EXPECT_EQ(readFile(copies() / kept[19]), test::cnpjRecord("50"));
    EXPECT_EQ(kept[20], "b (2026-01-01 00-00-00) (99999999999999999999999).txt");
    EXPECT_EQ(kept.back(), "leia-me.txt");

    // In order now: run again, it is left as it is, and no copy takes a place.
    const std::optional<FileStamp> repaired = stampOf(file);
    const test::ProcessResult again = run({file});
    EXPECT_NE(again.err.find("\nO arquivo já estava em ordem: nada foi alterado.\n"), std::string::npos)
        << again.err;
    EXPECT_EQ(stampOf(file), repaired);
    EXPECT_EQ(test::folderEntries(copies()), kept);

    const fs::path chosen = copies() / kept.front();
    writeFile(chosen, test::cnpjRecord("54"));
    ASSERT_EQ(run({chosen.string()}, {"-q"}).status, 0);
    EXPECT_NE(readFile(chosen), test::cnpjRecord("54")); // repaired, and still there
    kept = test::folderEntries(copies());
    EXPECT_EQ(kept.size(), 23u);

    writeFile(file, test::cnpjRecord("50"));
    ASSERT_EQ(run({file}, {"-q", "--sem-copia"}).status, 0);
    EXPECT_NE(readFile(file), test::cnpjRecord("50"));
    EXPECT_EQ(test::folderEntries(copies()), kept);
}

} // namespace
} // namespace sintegra
