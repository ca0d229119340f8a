#include "run/line_pump.hpp"

namespace sintegra {
namespace {

constexpr std::size_t kBlockBytes = 256 * 1024;
constexpr std::size_t kBlocksAhead = 4;

// Unwinds the producer when the pump stops before the input ends.
struct PumpStopped {};

} // namespace

void LineEmitter::line(std::string_view bytes) {
    block_.bytes.append(bytes);
    block_.ends.push_back(block_.bytes.size());
    ++lines_;
    if (block_.bytes.size() >= kBlockBytes) {
        send();
    }
}

void LineEmitter::send() {
    const std::uint64_t read = block_.inputRead;
    pump_.push(std::move(block_));
    block_ = LineBlock{};
    block_.inputRead = read;
}

LinePump::LinePump(Producer produce)
    : thread_([this, produce = std::move(produce)] { run(produce); }) {}

LinePump::~LinePump() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

// What was produced before a failure still reaches the consumer, then the failure.
void LinePump::run(const Producer& produce) noexcept {
    LineEmitter emitter(*this);
    std::exception_ptr error;
    try {
        produce(emitter);
    } catch (const PumpStopped&) {
    } catch (...) {
        error = std::current_exception();
    }
    try {
        emitter.send();
    } catch (const PumpStopped&) {
    }
    {
        const std::lock_guard lock(mutex_);
        error_ = error;
        produced_ = true;
    }
    changed_.notify_all();
}

void LinePump::push(LineBlock&& block) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return stopping_ || blocks_.size() < kBlocksAhead; });
    if (stopping_) {
        throw PumpStopped{};
    }
    blocks_.push_back(std::move(block));
    lock.unlock();
    changed_.notify_all();
}

bool LinePump::pop(LineBlock& block) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return produced_ || !blocks_.empty(); });
    if (blocks_.empty()) {
        if (error_) {
            std::rethrow_exception(error_);
        }
        return false;
    }
    block = std::move(blocks_.front());
    blocks_.pop_front();
    lock.unlock();
    changed_.notify_all();
    return true;
}

void LinePump::drain(const std::function<void(std::string_view)>& consume,
                     const std::function<void(std::uint64_t)>& progressed) {
    LineBlock block;
    while (pop(block)) {
        std::size_t start = 0;
        for (const std::size_t end : block.ends) {
            consume(std::string_view(block.bytes).substr(start, end - start));
            start = end;
        }
        progressed(block.inputRead);
    }
}

} // namespace sintegra
