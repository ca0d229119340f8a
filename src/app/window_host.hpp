#pragma once

#include <atomic>

#include <QObject>
#include <QString>

#include "app/progress_throttle.hpp"
#include "run/run_host.hpp"

namespace sintegra::app {

class RunInputs;

// The engine's host for a run started from the window. It is called on the worker thread: it asks
// the window's thread for the paths and the mode with a blocking queued call, so that no widget is
// touched from the worker, and hands progress over in queued signals.
class WindowHost : public QObject, public RunHost {
    Q_OBJECT

public:
    // window lives on the window's thread; the run stops at its next step once cancelled is set.
    WindowHost(const RunInputs& inputs, QObject& window, const std::atomic<bool>& cancelled);

    std::string firstPath() override;
    std::string secondPath() override;
    Mode mode() override;
    bool progress(const Progress& progress) override;

signals:
    void progressed(const QString& phase, int percent);

private:
    template <typename Answer, typename Read>
    Answer ask(Read read);

    const RunInputs& inputs_;
    QObject& window_;
    const std::atomic<bool>& cancelled_;
    ProgressThrottle throttle_;
};

} // namespace sintegra::app
