#pragma once

#include <windows.h>
#include <deque>
#include <functional>
#include <mutex>

namespace sintegra::app::win32 {

// Tasks posted from any thread and run on the window's, in the order they were posted: each post
// sends the window a message, on which it runs what is waiting.
class PostedTasks {
public:
    PostedTasks(HWND window, UINT message)
        : window_(window)
        , message_(message) {}

    // Nothing once closed. When the system refuses the message (a full queue), the task is dropped
    // and the poster hears of it by an exception.
    void post(std::function<void()> task);
    // One message may find several tasks waiting, or none when an earlier one ran them all.
    void runWaiting();
    // Drops what waits; later posts are dropped too.
    void close();

private:
    HWND window_;
    UINT message_;
    std::mutex mutex_;
    std::deque<std::function<void()>> waiting_;
    bool open_ = true;
};

} // namespace sintegra::app::win32
