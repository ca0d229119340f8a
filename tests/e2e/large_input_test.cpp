#include <cstdio>

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
// Past the 4 GiB that 32-bit sizes reach, and the same on both systems, whose transcripts of the
// run are compared.
constexpr std::uint64_t kSparseSize = (std::uint64_t{5} << 30) + 4321;

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
    EXPECT_EQ(test::crlfLines(readFile(first)).at(0), fitted);

    const test::ProcessResult joined = test::runCli(
        {"juntar", longLine(work, "50"), longLine(work, "54"), "--pasta", folder.path().string(), "-q"});
    EXPECT_EQ(joined.status, 0) << joined.err;
    EXPECT_LT(joined.peakKib, kHeldLineKib);
    const std::vector<std::string> lines = test::crlfLines(readFile(folder.path() / "sintegra.txt"));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], fitted);
    EXPECT_EQ(lines[1].size(), 2 + 100 * kMiB);
    EXPECT_TRUE(lines[1].starts_with("54") && lines[1].find_first_not_of('x', 2) == std::string::npos);
}

// A type 50 record, then a hole: no disk is used for it where the file system keeps holes, as
// Linux's do, under Wine too.
std::string sparseFile(const test::TempFolder& work) {
    const std::string path = work.write("zeros.txt", "50");
    std::error_code error;
    std::filesystem::resize_file(path, kSparseSize, error);
    return error ? "" : path;
}

// Its one line, spaces once cleaned, is fitted; a copy of the whole is not asked for. The progress
// of the first file counts its bytes in full, never going back, and ends at its size.
TEST(LargeInput, aSparseFileOverFourGibibytesOfNulBytes) {
    test::ProgramFolder folder;
    test::TempFolder work;
    const std::string first = sparseFile(work);
    if (first.empty()) {
        GTEST_SKIP() << "no room on this disk for a file of over four gibibytes";
    }
    const test::ProcessResult run =
        test::runCli({"analisar", first, "--pasta", folder.path().string(), "--sem-copia"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_LT(run.peakKib, kFlatKib);
    EXPECT_EQ(readFile(first),
              test::record("50") + "\r\n" +
                  test::record("90" + std::string(28, ' ') + "50000000019900000002").replace(125, 1, "1"));

    Engine engine(folder.path());
    test::ScriptedHost host;
    host.first = sparseFile(work);
    host.copies = false;
    Progress last{Phase::Normalizing, 0, 0};
    host.onProgress = [&](const Progress& progress) {
        if (progress.phase == Phase::Normalizing) {
            EXPECT_GE(progress.done, last.done);
            last = progress;
        }
        return true;
    };
    engine.run(host);
    EXPECT_EQ(last.done, kSparseSize);
    EXPECT_EQ(last.total, kSparseSize);
}

} // namespace
} // namespace sintegra
