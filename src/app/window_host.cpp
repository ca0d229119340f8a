#include "app/window_host.hpp"

#include <QMetaObject>

#include "app/qt/qt_text.hpp"
#include "app/run_inputs.hpp"

namespace sintegra::app {
namespace {

int percentOf(const Progress& progress) {
    return progress.total == 0 ? 100 : static_cast<int>(progress.done * 100 / progress.total);
}

} // namespace

WindowHost::WindowHost(const RunInputs& inputs, QObject& window, const std::atomic<bool>& cancelled)
    : inputs_(inputs)
    , window_(window)
    , cancelled_(cancelled) {}

// A cancelled run is about to stop: it gets a neutral answer rather than a wait on a window that
// may be waiting for it.
template <typename Answer, typename Read>
Answer WindowHost::ask(Read read) {
    Answer answer{};
    if (!cancelled_.load()) {
        QMetaObject::invokeMethod(
            &window_, [&] { answer = read(); }, Qt::BlockingQueuedConnection);
    }
    return answer;
}

std::string WindowHost::firstPath() {
    return toEnginePath(ask<QString>([this] { return inputs_.firstPath(); }));
}

std::string WindowHost::secondPath() {
    return toEnginePath(ask<QString>([this] { return inputs_.secondPath(); }));
}

Mode WindowHost::mode() {
    return ask<Mode>([this] { return inputs_.mode(); });
}

bool WindowHost::progress(const Progress& progress) {
    if (cancelled_.load()) {
        return false;
    }
    if (throttle_.pass(progress, ProgressThrottle::Clock::now())) {
        emit progressed(fromEngineText(phaseLabel(progress.phase)), percentOf(progress));
    }
    return true;
}

} // namespace sintegra::app
