#pragma once

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace sintegra {

class AtomicFile;

// Writes to a file on a thread of its own, so that assembling the output from the store overlaps
// writing it. Bytes are gathered in blocks, and the writer waits when the thread is behind, so that
// memory stays bounded. A failure of the thread is thrown again by write() or finish().
class OutputWriter {
public:
    // observe, when given, sees every block written, in order, on the writing thread.
    explicit OutputWriter(AtomicFile& file, std::function<void(std::string_view)> observe = {});
    // Stops the thread if it is still at work and waits for it; unwritten bytes are dropped.
    ~OutputWriter();
    OutputWriter(const OutputWriter&) = delete;
    OutputWriter& operator=(const OutputWriter&) = delete;

    void write(std::string_view bytes) {
        if (block_.size() + bytes.size() > block_.capacity()) {
            hand();
        }
        block_.append(bytes);
    }

    // Hands the file every byte written and waits until the thread has.
    void finish();

private:
    void hand();
    void run() noexcept;

    AtomicFile& file_;
    std::function<void(std::string_view)> observe_;
    std::string block_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::string> pending_;
    std::vector<std::string> spare_;
    bool stopping_ = false;
    std::exception_ptr error_;
    std::thread thread_;
};

} // namespace sintegra
