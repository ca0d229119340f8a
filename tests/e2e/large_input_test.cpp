#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "support/files.hpp"
#include "support/process.hpp"
#include "support/temp_folder.hpp"

namespace sintegra {
namespace {

using test::readFile;

constexpr std::size_t kMiB = 1 << 20;
// What the command line has resident at most while it holds no line whole, sanitizers included,
// and while it holds one line of 100 MiB (a few copies: the run, the staging store, the output).
constexpr long kFlatKib = 96 * 1024;
constexpr long kHeldLineKib = 8 * 100 * 1024;

// A line of a code and 100 MiB of 'x', without a line end. Written piece by piece: the test must not
// hold it, or the peak memory of the program would be the test's (see Process).
std::string longLine(const test::TempFolder& work, const std::string& code) {
    const std::string path = work.file(code + ".txt");
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fputs(code.c_str(), file);
    const std::string piece(kMiB, 'x');
    for (int i = 0; i < 100; ++i) {
        std::fwrite(piece.data(), 1, piece.size(), file);
    }
    std::fclose(file);
    return path;
}

// A fitted line is held to its width however long it is; a line of the second file is kept whole.
TEST(LargeInput, aHundredMebibyteLineWithoutALineEnd) {
    test::ProgramFolder folder;
    test::TempFolder work;
    const std::string first = longLine(work, "50");
    const test::ProcessResult analysed =
        test::runCli({"analisar", first, "--pasta", folder.path().string(), "-q"});
    EXPECT_EQ(analysed.status, 0) << analysed.err;
    EXPECT_LT(analysed.peakKib, kFlatKib);
    const std::string fitted = "50" + std::string(124, 'x');
    EXPECT_EQ(test::crlfLines(readFile(first)).at(2), fitted);

    const test::ProcessResult joined = test::runCli(
        {"juntar", longLine(work, "50"), longLine(work, "54"), "--pasta", folder.path().string(), "-q"});
    EXPECT_EQ(joined.status, 0) << joined.err;
    EXPECT_LT(joined.peakKib, kHeldLineKib);
    const std::vector<std::string> lines = test::crlfLines(readFile(folder.path() / "sintegra.txt"));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[2], fitted);
    EXPECT_EQ(lines[3].size(), 2 + 100 * kMiB);
    EXPECT_TRUE(lines[3].starts_with("54") && lines[3].find_first_not_of('x', 2) == std::string::npos);
}

// No disk is used: the file is a hole. Its one line, spaces once cleaned, is dropped.
TEST(LargeInput, aSparseFileOverFourGibibytesOfNulBytes) {
    test::ProgramFolder folder;
    test::TempFolder work;
    const std::string first = work.file("zeros.txt");
    const int fd = ::open(first.c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_EQ(::ftruncate(fd, (off_t{4} << 30) + 4321), 0);
    ::close(fd);
    const test::ProcessResult run = test::runCli({"analisar", first, "--pasta", folder.path().string()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_LT(run.peakKib, kFlatKib);
    EXPECT_EQ(readFile(first), "\r\n\r\n" + std::string(125, ' ') + "1");
    EXPECT_NE(run.err.find("Linhas lidas:\n  " + first + ": 1\n"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("Linhas descartadas: 1\n  código \"  \": 1\n"), std::string::npos);
}

} // namespace
} // namespace sintegra
