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

// A file refused for its shape (tests/unit/file_shape_test.cpp), in either place, is left as it was,
// by verificar too. Every file replaced leaves a copy that the summary names.
TEST_F(ProtectionTest, processesOnlyWhatHasTheShapeOfASintegraFileAndCopiesWhatItReplaces) {
    const std::string record = test::cnpjRecord("50", "one\r\n");
    const std::string letter =
        "Prezados,\r\n\r\n50 unidades de parafuso seguem amanhã.\r\nAtenciosamente,\r\n";
    const std::string a = work.file("a.txt"), b = work.file("b.txt");
    const auto says = [](const std::string& path, ErrorKind why) { return errorWords(Error(why, path)); };
    const std::string joined = folder.file("sintegra.txt");
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        {letter, "", says(a, ErrorKind::NoRecord)},
        {record + "\r\n" + test::cnpjRecord("88", std::string(1 << 20, 'x')), "",
         errorWords(lineTooLong(a, 3))},
        {record, letter, says(b, ErrorKind::NoRecord)},
        {record, "", ""},
        {record, test::cnpjRecord("54", "two"), ""},
        {record, "\xEF\xBB\xBF" + test::cnpjRecord("10", "\r\n") + test::cnpjRecord("54", "two"), ""},
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
