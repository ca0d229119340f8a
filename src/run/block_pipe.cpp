#include "run/block_pipe.hpp"

namespace sintegra {
namespace {

constexpr std::size_t kBlocksAhead = 2;

} // namespace

BlockPipe::BlockPipe(std::function<void(std::string_view)> consume, std::size_t blockBytes)
    : consume_(std::move(consume))
    , blockBytes_(blockBytes)
    , thread_([this] { run(); }) {
    block_.reserve(blockBytes_);
}

BlockPipe::~BlockPipe() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void BlockPipe::hand() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return error_ || pending_.size() < kBlocksAhead; });
    if (error_) {
        std::rethrow_exception(error_);
    }
    pending_.push_back(std::move(block_));
    block_ = std::string();
    if (!spare_.empty()) {
        block_ = std::move(spare_.back());
        spare_.pop_back();
    }
    block_.reserve(blockBytes_);
    lock.unlock();
    changed_.notify_all();
}

void BlockPipe::finish() {
    hand();
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return error_ || pending_.empty(); });
    if (error_) {
        std::rethrow_exception(error_);
    }
}

// A failure ends the pipe: what follows it is dropped.
void BlockPipe::run() noexcept {
    std::unique_lock lock(mutex_);
    while (true) {
        changed_.wait(lock, [this] { return stopping_ || !pending_.empty(); });
        if (stopping_ || error_) {
            return;
        }
        std::string block = std::move(pending_.front());
        lock.unlock();
        std::exception_ptr error;
        try {
            consume_(block);
        } catch (...) {
            error = std::current_exception();
        }
        block.clear();
        lock.lock();
        pending_.pop_front();
        spare_.push_back(std::move(block));
        error_ = error;
        changed_.notify_all();
    }
}

} // namespace sintegra
