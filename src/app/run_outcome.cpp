#include "app/run_outcome.hpp"

#include <exception>

#include "run/runner.hpp"
#include "words/error_words.hpp"
#include "words/messages.hpp"
#include "words/summary_text.hpp"

namespace sintegra::app {
namespace {

// A join writes sintegra.txt in the program's folder; an analysis rewrites the file it read.
std::string joinedOutput(const RunSummary& summary) {
    const bool joined = !summary.inputs.empty() && summary.outputPath != summary.inputs.front().path;
    return joined ? summary.outputPath : std::string();
}

} // namespace

RunOutcome runRequest(Runner& runner, const RunRequest& request, ProgressSink& sink) {
    try {
        const RunResult result = runner.run(request, sink);
        switch (result.status) {
        case RunStatus::Completed: {
            const RunSummary& summary = result.summary;
            const std::string inOrder = inOrderText(summary);
            return {RunOutcome::Kind::Completed,
                    messages::completion(summary.outputPath) + (inOrder.empty() ? "" : "\n\n" + inOrder),
                    std::make_shared<const FindingsList>(FindingsList::ofRun(summary)),
                    joinedOutput(summary)};
        }
        case RunStatus::NoFileSelected:
            return {RunOutcome::Kind::NoFileSelected, std::string(messages::kNoFileSelected), {}, {}};
        case RunStatus::Cancelled:
            return {RunOutcome::Kind::Cancelled, {}, {}, {}};
        }
        return {RunOutcome::Kind::Cancelled, {}, {}, {}};
    } catch (...) {
        return {RunOutcome::Kind::Failed, inUsersWords(std::current_exception()), {}, {}};
    }
}

RunOutcome runVerification(const std::string& path, ProgressSink& sink) {
    try {
        auto findings =
            findingsOfFile(path, [&sink](const Progress& progress) { return sink.progress(progress); });
        if (!findings) {
            return {RunOutcome::Kind::Cancelled, {}, {}, {}};
        }
        return {
            RunOutcome::Kind::Verified, {}, std::make_shared<const FindingsList>(std::move(*findings)), {}};
    } catch (...) {
        return {RunOutcome::Kind::Failed, inUsersWords(std::current_exception()), {}, {}};
    }
}

} // namespace sintegra::app
