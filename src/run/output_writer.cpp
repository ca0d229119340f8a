#include "run/output_writer.hpp"

#include "files/atomic_file.hpp"

namespace sintegra {
namespace {

constexpr std::size_t kBlockBytes = 1 << 20;
constexpr std::size_t kBlocksAhead = 2;

} // namespace

OutputWriter::OutputWriter(AtomicFile& file, std::function<void(std::string_view)> observe)
    : file_(file)
    , observe_(std::move(observe))
    , thread_([this] { run(); }) {
    block_.reserve(kBlockBytes);
}

OutputWriter::~OutputWriter() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void OutputWriter::hand() {
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
    block_.reserve(kBlockBytes);
    lock.unlock();
    changed_.notify_all();
}

void OutputWriter::finish() {
    hand();
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return error_ || pending_.empty(); });
    if (error_) {
        std::rethrow_exception(error_);
    }
}

// A failure ends the writing: what follows it is dropped.
void OutputWriter::run() noexcept {
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
            file_.write(block);
            if (observe_) {
                observe_(block);
            }
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
