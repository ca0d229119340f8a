#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "run/engine.hpp"
#include "support/files.hpp"
#include "support/process.hpp"
#include "support/scripted_host.hpp"
#include "support/temp_folder.hpp"

namespace sintegra {
namespace {

using test::readFile;

constexpr std::size_t kMiB = 1 << 20;
// What the command line has resident at most while it holds no line whole, sanitizers included,
// and while it holds one line of 100 MiB (a few copies: the run, the staging store, the output).
constexpr long kFlatKib = 96 * 1024;
constexpr long kHeldLineKib = 8 * 100 * 1024;
constexpr off_t kSparseSize = (off_t{4} << 30) + 4321;

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

// A type 50 record, then a hole: no disk is used for it.
std::string sparseFile(const test::TempFolder& work) {
    const std::string path = work.file("zeros.txt");
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT, 0644);
    const bool sized = ::write(fd, "50", 2) == 2 && ::ftruncate(fd, kSparseSize) == 0;
    ::close(fd);
    return sized ? path : "";
}

// Its one line, spaces once cleaned, is fitted; a copy of four gibibytes is not asked for.
TEST(LargeInput, aSparseFileOverFourGibibytesOfNulBytes) {
    test::ProgramFolder folder;
    test::TempFolder work;
    const std::string first = sparseFile(work);
    const test::ProcessResult run =
        test::runCli({"analisar", first, "--pasta", folder.path().string(), "--sem-copia"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_LT(run.peakKib, kFlatKib);
    EXPECT_EQ(readFile(first), "\r\n\r\n" + test::record("50") + "\r\n" +
                                   test::record("5000000001"
                                                "9900000004")
                                       .replace(125, 1, "1"));
    EXPECT_NE(run.err.find("Linhas lidas:\n  " + first + ": 1\n"), std::string::npos) << run.err;
}

// The engine in a forked copy of the test: the progress of the first file counts its bytes in full,
// never going back, and ends at its size.
TEST(LargeInput, progressThroughOverFourGibibytesCountsEveryByte) {
    test::ProgramFolder folder;
    test::TempFolder work;
    const std::string first = sparseFile(work);
    const test::ProcessResult run = test::runForked([&] {
        Engine engine(folder.path());
        test::ScriptedHost host;
        host.first = first;
        host.copies = false;
        Progress last{Phase::Normalizing, 0, 0};
        host.onProgress = [&](const Progress& progress) {
            if (progress.phase == Phase::Normalizing) {
                if (progress.done < last.done) {
                    throw std::runtime_error("the progress went back");
                }
                last = progress;
            }
            return true;
        };
        const RunResult result = engine.run(host);
        return std::to_string(last.done) + " of " + std::to_string(last.total) + ", " +
               std::to_string(result.summary.inputs.at(0).lines) + " line";
    });
    const std::string size = std::to_string(kSparseSize);
    EXPECT_EQ(run.out, size + " of " + size + ", 1 line");
    EXPECT_EQ(run.status, 0);
    EXPECT_LT(run.peakKib, kFlatKib);
}

} // namespace
} // namespace sintegra
