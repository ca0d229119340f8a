#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace sintegra::test {

struct ProcessResult;

// With ORV_TRANSCRIPT set, every run of sintegra-orv-cli through runCli() is written down under
// transcripts/ in the build folder, one file per test: the arguments, the exit status, what the
// program wrote and what the files and folders that it was given hold afterwards. The test's
// folders are written as "<1>", "<2>"..., separators as "/" and the times that name copies as
// "<hora>", so that a run on Linux and the same run on Windows write the same bytes (scripts/test
// compares them).
void recordRun(const std::vector<std::string>& arguments, const ProcessResult& result);

// A folder of the test, written as "<N>" by the transcript.
void nameInTranscript(const std::filesystem::path& folder);

} // namespace sintegra::test
