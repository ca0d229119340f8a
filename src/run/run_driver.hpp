#pragma once

#include <filesystem>

#include "run/run_summary.hpp"

namespace sintegra {

class RunHost;
class StagingStore;
class TempRegistry;

inline constexpr std::string_view kJoinOutputName = "sintegra.txt";

// The threads of a run's stages beside its own: reading beside staging, and writing the output beside
// its check.
inline constexpr unsigned kRunThreads = 2;

// One run, from the chosen files to the written output. No user file changes until the output is
// complete: the first file's normalized form and the output are written beside their targets and
// put in place at the end. A failure throws Error and leaves every user file as it was. Each phase
// runs its stages on at most `threads` threads besides the caller's; with 0, it runs them all on the
// caller's.
RunResult runOnce(StagingStore& store, RunHost& host, const std::filesystem::path& programFolder,
                  TempRegistry* temps, unsigned threads);

} // namespace sintegra
