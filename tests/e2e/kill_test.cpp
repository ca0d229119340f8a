#include <chrono>
#include <csignal>
#include <iostream>
#include <random>
#include <thread>

#include <gtest/gtest.h>

#include "support/files.hpp"
#include "support/process.hpp"
#include "support/temp_folder.hpp"
#include "synthetic_sintegra.hpp"

namespace sintegra {
namespace {

using Clock = std::chrono::steady_clock;
using test::readFile;
using test::writeFile;

constexpr int kRounds = 60;
const std::string kOldOutput = "the output of an earlier run";

// What the files hold after complete runs on copies of the inputs, and how long the last runs took.
struct Completed {
    std::string normalized; // the first file after a join
    std::string joined;     // sintegra.txt after a join
    std::string analysed;   // the first file after an analysis
    Clock::duration joinTime{};
    Clock::duration analyseTime{};
};

class KillTest : public ::testing::Test {
protected:
    void SetUp() override {
        synthetic::writeSyntheticSintegra(first, 60000, 7);
        synthetic::writeSyntheticSintegra(second, 15000, 8);
        original = readFile(first);
        secondContent = readFile(second);
        completed.analyseTime = timedRun("analisar");
        completed.analysed = readFile(first);
        writeFile(first, original);
        completed.joinTime = timedRun("juntar");
        completed.normalized = readFile(first);
        completed.joined = readFile(output());
    }

    std::vector<std::string> command(const std::string& mode) const {
        std::vector<std::string> arguments{mode, first};
        if (mode == "juntar") {
            arguments.push_back(second);
        }
        arguments.insert(arguments.end(), {"--pasta", folder.path().string(), "-q"});
        return test::cliCommand(arguments);
    }

    Clock::duration timedRun(const std::string& mode) const {
        const auto start = Clock::now();
        EXPECT_EQ(test::runProcess(command(mode)).status, 0);
        return Clock::now() - start;
    }

    std::string output() const { return (folder.path() / "sintegra.txt").string(); }

    // Each file as it was or replaced whole; the first file is replaced before the output.
    void expectWholeFiles(const std::string& mode) const {
        const std::string now = readFile(first);
        EXPECT_EQ(readFile(second), secondContent);
        if (mode == "analisar") {
            EXPECT_TRUE(now == original || now == completed.analysed);
            return;
        }
        const std::string joined = readFile(output());
        EXPECT_TRUE(now == original || now == completed.normalized);
        EXPECT_TRUE(joined == kOldOutput || joined == completed.joined);
        EXPECT_FALSE(joined == completed.joined && now == original);
    }

    test::ProgramFolder folder;
    test::TempFolder work;
    const std::string first = work.file("a.txt");
    const std::string second = work.file("b.txt");
    std::string original;
    std::string secondContent;
    Completed completed;
};

// Each mode is killed at moments spread over its whole run and a little past its end, and as many
// again over its last fifth, where the files are put in place. A run killed late may have replaced
// the first file already: the next run must come to the same result from it.
TEST_F(KillTest, aKilledRunLeavesEveryFileWholeAndTheNextRunSucceeds) {
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> within(0, 1);
    constexpr int kPerSpread = kRounds / 4;
    int killed = 0;
    for (int round = 0; round < kRounds; ++round) {
        const std::string mode = round % 2 == 0 ? "analisar" : "juntar";
        const int step = round / 2 % kPerSpread;
        const double fraction = round / 2 < kPerSpread ? 1.1 * (step + within(random)) / kPerSpread
                                                       : 0.8 + 0.3 * (step + within(random)) / kPerSpread;
        Clock::duration& runTime = mode == "juntar" ? completed.joinTime : completed.analyseTime;
        const auto moment = std::chrono::duration_cast<Clock::duration>(fraction * runTime);
        SCOPED_TRACE(mode + " killed after " + std::to_string(moment.count() / 1000) + " us, seed " +
                     std::to_string(seed));
        writeFile(first, original);
        writeFile(output(), kOldOutput);
        test::Process run(command(mode));
        std::this_thread::sleep_for(moment);
        run.kill();
        killed += run.wait().status == 128 + SIGKILL ? 1 : 0;
        expectWholeFiles(mode);

        // The next run, timed under the load of the moment, also times the rounds to come.
        runTime = timedRun(mode);
        EXPECT_EQ(test::leftoverTemps({work.path(), folder.path()}), std::vector<std::string>{});
        EXPECT_EQ(readFile(first), mode == "juntar" ? completed.normalized : completed.analysed);
        if (mode == "juntar") {
            EXPECT_EQ(readFile(output()), completed.joined);
        }
    }
    std::cout << killed << " of " << kRounds << " runs killed before they ended\n";
    EXPECT_GE(killed, kRounds / 2);
}

} // namespace
} // namespace sintegra
