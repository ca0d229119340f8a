#include "app/run_worker.hpp"

#include <atomic>
#include <chrono>
#include <functional>
#include <system_error>

#include "app/window_view.hpp"

namespace sintegra::app {
namespace {

constexpr auto kPostRetry = std::chrono::milliseconds(50);

std::atomic<bool> threadsRefused{false};
std::atomic<bool> runsHeld{false};

std::thread startThread(std::function<void()> body) {
    if (threadsRefused.load()) {
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    }
    return std::thread(std::move(body));
}

} // namespace

RefusedThreadStart::RefusedThreadStart() {
    threadsRefused.store(true);
}

RefusedThreadStart::~RefusedThreadStart() {
    threadsRefused.store(false);
}

HeldRunStart::HeldRunStart() {
    runsHeld.store(true);
}

HeldRunStart::~HeldRunStart() {
    runsHeld.store(false);
}

RunWorker::RunWorker(WindowView& view, RunWindow& window, RunJob job)
    : view_(view)
    , window_(window)
    , thread_(startThread([this, job = std::move(job)] {
        waitWhileHeld();
        outcome_ = job(*this);
        tellEnded();
    })) {}

RunWorker::~RunWorker() {
    {
        const std::lock_guard lock(mutex_);
        abandoned_ = true;
        cancelled_ = true;
    }
    abandonedSignal_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void RunWorker::cancel() {
    const std::lock_guard lock(mutex_);
    cancelled_ = true;
}

RunOutcome RunWorker::finish() {
    thread_.join();
    return std::move(outcome_);
}

void RunWorker::waitWhileHeld() {
    std::unique_lock lock(mutex_);
    while (runsHeld.load() && !cancelled_) {
        abandonedSignal_.wait_for(lock, kPostRetry);
    }
}

// The window must hear of the end, or it would stay locked: a post that fails is tried again until it
// goes through, or until the window has gone.
void RunWorker::tellEnded() {
    for (;;) {
        try {
            view_.post([&window = window_] { window.runEnded(); });
            return;
        } catch (...) {
            std::unique_lock lock(mutex_);
            if (abandonedSignal_.wait_for(lock, kPostRetry, [this] { return abandoned_; })) {
                return;
            }
        }
    }
}

bool RunWorker::progress(const Progress& progress) {
    {
        const std::lock_guard lock(mutex_);
        if (cancelled_) {
            return false;
        }
    }
    if (throttle_.pass(progress, ProgressThrottle::Clock::now())) {
        view_.post([&window = window_, progress] { window.runProgressed(progress); });
    }
    return true;
}

} // namespace sintegra::app
