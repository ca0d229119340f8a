#pragma once

#include <filesystem>

#include "run/run_summary.hpp"

namespace sintegra {

class ProgressSink;
struct RunRequest;
class StagingStore;
class TempRegistry;

inline constexpr std::string_view kJoinOutputName = "sintegra.txt";

// One run, from the chosen files to the written output. No user file changes until the output is
// complete: the first file's normalized form and the output are written beside their targets and
// put in place at the end. A failure throws Error and leaves every user file as it was.
RunResult run(StagingStore& store, const RunRequest& request, ProgressSink& sink,
              const std::filesystem::path& programFolder, TempRegistry* temps);

} // namespace sintegra
