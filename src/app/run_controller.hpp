#pragma once

#include <atomic>
#include <memory>

#include <QObject>
#include <QString>

#include "app/run_outcome.hpp"

class QThread;

namespace sintegra {
class Engine;
}

namespace sintegra::app {

class RunInputs;
class WindowHost;

// Owns the worker thread of the window's runs: one at a time, each reading its inputs from the
// window while it goes. Lives on the window's thread, and so do its signals.
class RunController : public QObject {
    Q_OBJECT

public:
    RunController(Engine& engine, const RunInputs& inputs, QObject* parent = nullptr);
    // Stops a run still under way and waits for it, answering its questions meanwhile.
    ~RunController() override;

    bool isRunning() const { return worker_ != nullptr; }
    // Starts a run unless one is under way.
    void start();
    // Asks the run under way to stop at its next step; finished follows when it has.
    void cancel() { cancelled_.store(true); }

signals:
    void progressed(const QString& phase, int percent);
    void finished(const sintegra::app::RunOutcome& outcome);

private:
    void workerStopped();

    Engine& engine_;
    const RunInputs& inputs_;
    std::atomic<bool> cancelled_{false};
    std::unique_ptr<WindowHost> host_;
    std::unique_ptr<QThread> worker_;
    RunOutcome outcome_; // written by the worker, read once it has stopped
};

} // namespace sintegra::app
