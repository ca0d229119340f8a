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

// Hands bytes to a consumer on a thread of its own, so that making them overlaps what is done with
// them (writing the output, checking it). Bytes are gathered in blocks, and the writer waits when
// the thread is behind, so that memory stays bounded. A failure of the consumer is thrown again by
// write() or finish().
class BlockPipe {
public:
    // consume sees every block, in order, on the pipe's thread.
    explicit BlockPipe(std::function<void(std::string_view)> consume, std::size_t blockBytes = 1 << 19);
    // Stops the thread if it is still at work and waits for it; unconsumed bytes are dropped.
    ~BlockPipe();
    BlockPipe(const BlockPipe&) = delete;
    BlockPipe& operator=(const BlockPipe&) = delete;

    void write(std::string_view bytes) {
        if (block_.size() + bytes.size() > block_.capacity()) {
            hand();
        }
        block_.append(bytes);
    }

    // Hands the consumer every byte written and waits until it is done with them.
    void finish();

private:
    void hand();
    void run() noexcept;

    std::function<void(std::string_view)> consume_;
    std::size_t blockBytes_;
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
