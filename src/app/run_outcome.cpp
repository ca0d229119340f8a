#include "app/run_outcome.hpp"

#include <exception>

#include "app/qt/qt_text.hpp"
#include "run/engine.hpp"
#include "run/messages.hpp"

namespace sintegra::app {

RunOutcome runEngine(Engine& engine, RunHost& host) {
    try {
        const RunResult result = engine.run(host);
        switch (result.status) {
        case RunStatus::Completed:
            return {RunOutcome::Kind::Completed,
                    fromEngineText(messages::completion(result.summary.outputPath)),
                    fromEngineText(formatSummary(result.summary))};
        case RunStatus::NoFileSelected:
            return {RunOutcome::Kind::NoFileSelected, fromEngineText(messages::kNoFileSelected), {}};
        case RunStatus::Cancelled:
            return {RunOutcome::Kind::Cancelled, {}, {}};
        }
        return {RunOutcome::Kind::Cancelled, {}, {}};
    } catch (const std::exception& error) {
        // RunError as documented; anything else (memory exhausted) is reported the same way.
        return {RunOutcome::Kind::Failed, fromEngineText(error.what()), {}};
    }
}

} // namespace sintegra::app
