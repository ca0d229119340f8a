#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "layout/record_types.hpp"

namespace sintegra {

struct FileSummary {
    std::string path;
    std::uint64_t lines = 0;
};

// A file the run replaced and where its old bytes were kept.
struct KeptCopy {
    std::string file;
    std::string copy;
};

// What a completed run did, for the user.
struct RunSummary {
    std::string outputPath;
    std::vector<FileSummary> inputs;
    std::vector<KeptCopy> copies;
    PerStagedType<std::uint64_t> written{};
    std::uint64_t type90Records = 0;
    std::map<std::string, std::uint64_t> dropped; // by record type code
    std::uint64_t duplicatesRemoved = 0;

    std::uint64_t outputLines() const;
};

// The summary as lines of text in Portuguese.
std::string formatSummary(const RunSummary& summary);

enum class RunStatus { Completed, NoFileSelected, Cancelled };

struct RunResult {
    RunStatus status = RunStatus::Completed;
    RunSummary summary; // for a completed run
};

} // namespace sintegra
