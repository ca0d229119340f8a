#include <cstdio>

#include <gtest/gtest.h>

#include "run/file_verification.hpp"
#include "run/runner.hpp"
#include "support/files.hpp"
#include "support/process.hpp"
#include "support/scripted_host.hpp"
#include "support/temp_folder.hpp"
#include "words/error_words.hpp"

namespace sintegra {
namespace {

using test::readFile;

constexpr std::size_t kMiB = 1 << 20;
// What the command line has resident at most while it holds no line whole, sanitizers included.
constexpr long kFlatKib = 96 * 1024;
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

// A type 50 record, then a hole: no disk is used for it where the file system keeps holes, as
// Linux's do, under Wine too.
std::string sparseFile(const test::TempFolder& work) {
    const std::string path = work.write("zeros.txt", "50");
    std::error_code error;
    std::filesystem::resize_file(path, kSparseSize, error);
    return error ? "" : path;
}

// No record comes near 1 MiB: a longer line, fitted or held whole, in either file, ends the run
// there, in flat memory, with nothing changed.
TEST(LargeInput, aLineOverOneMebibyteEndsTheRunAtOnce) {
    test::ProgramFolder folder;
    test::TempFolder work;
    const std::string record = work.write("a.txt", test::cnpjRecord("50"));
    const std::string sparse = sparseFile(work);
    std::vector<std::vector<std::string>> runs = {{"analisar", longLine(work, "50")},
                                                  {"analisar", longLine(work, "88")},
                                                  {"juntar", record, longLine(work, "54")}};
    if (!sparse.empty()) {
        runs.push_back({"analisar", sparse});
    }
    for (std::vector<std::string> arguments : runs) {
        const std::string file = arguments.back();
        const std::uintmax_t size = std::filesystem::file_size(file);
        arguments.insert(arguments.end(), {"--pasta", folder.path().string()});
        const test::ProcessResult run = test::runCli(arguments);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, "sintegra-orv-cli: " + errorWords(lineTooLong(file, 1)) + "\n");
        EXPECT_LT(run.peakKib, kFlatKib);
        EXPECT_EQ(std::filesystem::file_size(file), size);
    }
    EXPECT_EQ(readFile(record), test::cnpjRecord("50"));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "sintegra.txt"));
    if (sparse.empty()) {
        GTEST_SKIP() << "no room on this disk for a file of over four gibibytes";
    }

    // Its size is known in full, past what 32 bits hold, as the progress of its reading shows.
    Runner runner(folder.path());
    test::ScriptedHost host;
    host.first = sparse;
    std::uint64_t total = 0;
    host.onProgress = [&](const Progress& progress) {
        total = progress.phase == Phase::Normalizing ? progress.total : total;
        return true;
    };
    EXPECT_THROW(runner.run(host.request(), host), Error);
    EXPECT_EQ(total, kSparseSize);
}

} // namespace
} // namespace sintegra
