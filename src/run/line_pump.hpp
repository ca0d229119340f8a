#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace sintegra {

// Lines in order, as one piece of memory.
struct LineBlock {
    std::string bytes;
    std::vector<std::size_t> ends; // where each line ends in bytes
    std::uint64_t inputRead = 0;   // bytes of the input read when the block was complete
};

// Where the producing thread puts its lines. Blocks go to the pump as they fill, and the producer
// waits when the pump holds enough of them, so memory stays bounded whatever the input.
class LineEmitter {
public:
    void line(std::string_view bytes);
    // The producer has read this many bytes of its input.
    void inputRead(std::uint64_t bytes) noexcept { block_.inputRead = bytes; }
    std::uint64_t lines() const noexcept { return lines_; }

private:
    friend class LinePump;
    explicit LineEmitter(class LinePump& pump)
        : pump_(pump) {}
    void send();

    LinePump& pump_;
    LineBlock block_;
    std::uint64_t lines_ = 0;
};

// Reads lines on a thread of its own while the calling thread uses them: reading and normalizing
// a file then overlaps with staging its lines.
class LinePump {
public:
    using Producer = std::function<void(LineEmitter&)>;

    // Starts produce on the pump's thread.
    explicit LinePump(Producer produce);
    // Stops the producer if it is still at work and waits for it.
    ~LinePump();
    LinePump(const LinePump&) = delete;
    LinePump& operator=(const LinePump&) = delete;

    // Hands every line to consume, in order, and then the input read so far to progressed. Rethrows
    // what the producer threw.
    void drain(const std::function<void(std::string_view)>& consume,
               const std::function<void(std::uint64_t)>& progressed);

private:
    friend class LineEmitter;
    void push(LineBlock&& block);
    bool pop(LineBlock& block);
    void run(const Producer& produce) noexcept;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<LineBlock> blocks_;
    bool produced_ = false;
    bool stopping_ = false;
    std::exception_ptr error_;
    std::thread thread_;
};

} // namespace sintegra
