#include <gtest/gtest.h>

#include "support/files.hpp"
#include "support/process.hpp"
#include "support/temp_folder.hpp"

namespace sintegra {
namespace {

using test::readFile;
using test::writeFile;

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

    test::ProgramFolder folder;
    test::TempFolder work;
};

// A file in which not one line has a record type that the program handles is refused, in either
// place; one that has is processed.
TEST_F(ProtectionTest, refusesWhatIsNotASintegraFile) {
    std::string binary = "\x7f"
                         "ELF"; // every line begins with a byte that no digit follows
    for (int byte = 0; byte < 4096; ++byte) {
        binary += static_cast<char>(byte * 7 % 256);
    }
    const std::string record = "50one\r\n";
    const std::string letter = "Prezados,\r\nsegue o arquivo do mês.\r\n";
    const std::string joined = folder.file("sintegra.txt");
    const std::vector<std::tuple<std::string, std::string, bool>> cases = {
        {binary, "", true},     {"", "", true},      {"\x1a\x1a\x1a", "", true}, {letter, "", true},
        {record, letter, true}, {record, "", false}, {record, "54two", false},
    };
    for (const auto& [first, second, refused] : cases) {
        std::vector<std::string> files = {work.write("a.txt", first)};
        if (!second.empty()) {
            files.push_back(work.write("b.txt", second));
        }
        writeFile(joined, "an earlier join");
        const test::ProcessResult result = run(files);
        if (!refused) {
            EXPECT_EQ(result.status, 0) << result.err;
            continue;
        }
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err, "sintegra-orv-cli: O arquivo [" + files.back() +
                                  "] não parece um arquivo do SINTEGRA: nenhum registro reconhecido. "
                                  "Nenhum arquivo foi alterado.\n");
        EXPECT_EQ(readFile(files.front()), first);
        EXPECT_EQ(readFile(joined), "an earlier join");
    }
}

} // namespace
} // namespace sintegra
