#include "app/run_outcome.hpp"

#include <exception>

#include "run/engine.hpp"
#include "run/messages.hpp"
#include "run/run_error.hpp"

namespace sintegra::app {

RunOutcome runEngine(Engine& engine, RunHost& host) {
    try {
        const RunResult result = engine.run(host);
        switch (result.status) {
        case RunStatus::Completed:
            return {RunOutcome::Kind::Completed, messages::completion(result.summary.outputPath),
                    std::make_shared<const FindingsList>(FindingsList::ofRun(result.summary))};
        case RunStatus::NoFileSelected:
            return {RunOutcome::Kind::NoFileSelected, std::string(messages::kNoFileSelected), {}};
        case RunStatus::Cancelled:
            return {RunOutcome::Kind::Cancelled, {}, {}};
        }
        return {RunOutcome::Kind::Cancelled, {}, {}};
    } catch (...) {
        return {RunOutcome::Kind::Failed, inUsersWords(std::current_exception()).what(), {}};
    }
}

RunOutcome runVerification(const std::string& path, RunHost& host) {
    try {
        auto findings =
            findingsOfFile(path, [&host](const Progress& progress) { return host.progress(progress); });
        if (!findings) {
            return {RunOutcome::Kind::Cancelled, {}, {}};
        }
        return {RunOutcome::Kind::Verified, {}, std::make_shared<const FindingsList>(std::move(*findings))};
    } catch (...) {
        return {RunOutcome::Kind::Failed, inUsersWords(std::current_exception()).what(), {}};
    }
}

} // namespace sintegra::app
