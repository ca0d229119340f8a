#include "app/win32/posted_tasks.hpp"

#include <system_error>

namespace sintegra::app::win32 {

void PostedTasks::post(std::function<void()> task) {
    const std::lock_guard lock(mutex_);
    if (!open_) {
        return;
    }
    waiting_.push_back(std::move(task));
    if (!PostMessageW(window_, message_, 0, 0)) {
        waiting_.pop_back();
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), "PostMessageW");
    }
}

// A task may open a modal dialog, whose loop runs the next ones: each is taken out before it runs.
void PostedTasks::runWaiting() {
    for (;;) {
        std::function<void()> task;
        {
            const std::lock_guard lock(mutex_);
            if (waiting_.empty()) {
                return;
            }
            task = std::move(waiting_.front());
            waiting_.pop_front();
        }
        task();
    }
}

void PostedTasks::close() {
    const std::lock_guard lock(mutex_);
    open_ = false;
    waiting_.clear();
}

} // namespace sintegra::app::win32
