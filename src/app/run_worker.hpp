#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "app/progress_throttle.hpp"
#include "app/run_outcome.hpp"
#include "run/run_request.hpp"

namespace sintegra::app {

class WindowView;

// A test seam: while one lives, a run's thread fails to start, as on a system that has no thread
// left to give.
class RefusedThreadStart {
public:
    RefusedThreadStart();
    ~RefusedThreadStart();
    RefusedThreadStart(const RefusedThreadStart&) = delete;
    RefusedThreadStart& operator=(const RefusedThreadStart&) = delete;
};

// A test seam: while one lives, a run's thread waits before it begins, until the seam is gone or the
// run is cancelled, so that a test can act while the run is certain to be going.
class HeldRunStart {
public:
    HeldRunStart();
    ~HeldRunStart();
    HeldRunStart(const HeldRunStart&) = delete;
    HeldRunStart& operator=(const HeldRunStart&) = delete;
};

// What a run tells the window, always on the window's thread.
class RunWindow {
public:
    virtual void runProgressed(const Progress& progress) = 0;
    // The run's thread is over: RunWorker::finish returns at once.
    virtual void runEnded() = 0;

protected:
    ~RunWindow() = default;
};

// What a run does on its thread: a run of the request, or the check of one file.
using RunJob = std::function<RunOutcome(ProgressSink& sink)>;

// One run on a thread of its own, which takes all it needs before it starts. Its progress reaches
// the window through tasks posted to the window's thread, a bounded number of times a phase.
class RunWorker : private ProgressSink {
public:
    // Throws when the system will not start the thread.
    RunWorker(WindowView& view, RunWindow& window, RunJob job);
    // Cancels the run and waits for its thread, which needs nothing of the window's thread.
    ~RunWorker() override;
    RunWorker(const RunWorker&) = delete;
    RunWorker& operator=(const RunWorker&) = delete;

    // The run stops at its next step.
    void cancel();
    // Once RunWindow::runEnded has been called.
    RunOutcome finish();

private:
    bool progress(const Progress& progress) override;
    void waitWhileHeld();
    void tellEnded();

    WindowView& view_;
    RunWindow& window_;
    std::mutex mutex_;
    std::condition_variable abandonedSignal_;
    bool cancelled_ = false;
    bool abandoned_ = false; // by the window, which no longer waits for the run's end
    ProgressThrottle throttle_;
    RunOutcome outcome_; // written by the thread, read once it has ended
    std::thread thread_;
};

} // namespace sintegra::app
