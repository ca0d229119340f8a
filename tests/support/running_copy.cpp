#include "support/running_copy.hpp"

#include <chrono>
#include <stdexcept>
#include <thread>

#include "synthetic_sintegra.hpp"

namespace sintegra::test {
namespace {

std::string largeFile(const std::filesystem::path& folder) {
    const std::string path = (folder / "grande.txt").string();
    synthetic::writeSyntheticSintegra(path, 200000, 5);
    return path;
}

} // namespace

// The store is prepared only once the folder is held.
RunningCopy::RunningCopy(const std::filesystem::path& programFolder, const std::filesystem::path& userFolder)
    : process_(cliCommand({"analisar", largeFile(userFolder), "--pasta", programFolder.string(), "-q"})) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!std::filesystem::exists(programFolder / "Sintegra.mdb")) {
        if (std::chrono::steady_clock::now() > deadline) {
            throw std::runtime_error("sintegra-orv-cli did not take its folder");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (!process_.pause()) {
        throw std::runtime_error("the run ended before it could be stopped");
    }
}

ProcessResult RunningCopy::finish() {
    process_.resume();
    return process_.wait();
}

ProcessResult RunningCopy::interrupt(int signal) {
    process_.interrupt(signal);
    return finish();
}

} // namespace sintegra::test
