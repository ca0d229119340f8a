#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace sintegra {

template <class T>
class Channel;

// Unwinds a stage that sends to a pipeline that has stopped.
struct PipelineStopped {};

// What a channel's two ends wait on, whatever it carries.
class ChannelEnds {
private:
    friend class Pipeline;
    template <class T>
    friend class Channel;

    std::condition_variable changed_;
    bool queued_ = false;
    bool closed_ = false;
};

// The stages of one phase of a run and the threads they run on. A stage is the consumer of a
// channel, a source or a task; the phase feeds the first channels from the calling thread. At most
// `threads` stages get a thread of their own, the first declared first; any other runs on the
// thread that sends to it, so that with 0 every stage runs on the calling thread. The first failure
// of any stage stops every other, and run() throws it; a cancel is such a failure. Blocks, not
// single lines, should travel through a channel, or the locking costs more than the work.
class Pipeline {
public:
    // Runs feed on the calling thread with the stages it declares, then lets every stage finish
    // what it was sent, each before what it sends to; all threads are over when run() returns.
    // Whatever a stage uses must outlive this call.
    static void run(unsigned threads, const std::function<void(Pipeline&)>& feed);

    Pipeline(const Pipeline&) = delete;
    Pipeline& operator=(const Pipeline&) = delete;

    // A stage that hands what is sent to it to consume, in order, with at most capacity items
    // waiting. A stage sends only to channels declared before it, which are shut after its own.
    template <class T>
    Channel<T>& channel(std::function<void(T&)> consume, std::size_t capacity);
    // A stage, produce, that sends to consume on the calling thread: produce runs on a thread of its
    // own while this one hands consume what it sends. Returns once consume has had every item.
    template <class T>
    void source(std::function<void(Channel<T>&)> produce, std::function<void(T&)> consume,
                std::size_t capacity);
    // A stage that runs body once, beside the others.
    void task(std::function<void()> body);
    // Ends every stage without a failure: what is on its way is dropped.
    void stop() noexcept;

private:
    template <class T>
    friend class Channel;

    struct Stage {
        std::shared_ptr<ChannelEnds> channel; // none for a task
        std::thread thread;
    };

    explicit Pipeline(unsigned threads)
        : threadsLeft_(threads) {}

    Stage& add(std::shared_ptr<ChannelEnds> channel);
    bool takeThread() noexcept;
    void start(Stage& stage, std::function<void()> body);
    void requireRunning() const {
        if (stopped_) {
            throw PipelineStopped{};
        }
    }
    void fail(std::exception_ptr error) noexcept;
    void stopLocked() noexcept;
    void close(ChannelEnds& channel);
    void finish();

    unsigned threadsLeft_;
    std::mutex mutex_; // of every channel, and of stages_ once threads run
    std::atomic<bool> stopped_ = false;
    std::exception_ptr error_;
    std::deque<Stage> stages_;
};

// The way into a stage. A sender waits while the stage is behind, so that memory stays bounded.
template <class T>
class Channel : public ChannelEnds {
public:
    Channel(Pipeline& pipeline, std::function<void(T&)> consume, std::size_t capacity)
        : pipeline_(pipeline)
        , consume_(std::move(consume))
        , capacity_(capacity) {}

    // Throws PipelineStopped once the pipeline has stopped, and on the stage's thread, what its
    // consumer throws.
    void send(T item) {
        pipeline_.requireRunning();
        if (!queued_) {
            consume_(item);
            return;
        }
        std::unique_lock lock(pipeline_.mutex_);
        changed_.wait(lock, [this] { return pipeline_.stopped_ || items_.size() < capacity_; });
        pipeline_.requireRunning();
        items_.push_back(std::move(item));
        lock.unlock();
        changed_.notify_all();
    }

private:
    friend class Pipeline;

    // On the stage's own thread.
    void drain() {
        T item;
        while (receive(item)) {
            consume_(item);
        }
    }
    bool receive(T& item) {
        std::unique_lock lock(pipeline_.mutex_);
        changed_.wait(lock, [this] { return pipeline_.stopped_ || closed_ || !items_.empty(); });
        if (pipeline_.stopped_ || items_.empty()) {
            return false;
        }
        item = std::move(items_.front());
        items_.pop_front();
        lock.unlock();
        changed_.notify_all();
        return true;
    }

    Pipeline& pipeline_;
    std::function<void(T&)> consume_;
    std::size_t capacity_;
    std::deque<T> items_;
};

template <class T>
Channel<T>& Pipeline::channel(std::function<void(T&)> consume, std::size_t capacity) {
    auto made = std::make_shared<Channel<T>>(*this, std::move(consume), capacity);
    Channel<T>& channel = *made;
    Stage& stage = add(made);
    if (takeThread()) {
        start(stage, [&channel] { channel.drain(); });
        channel.queued_ = true;
    }
    return channel;
}

template <class T>
void Pipeline::source(std::function<void(Channel<T>&)> produce, std::function<void(T&)> consume,
                      std::size_t capacity) {
    auto made = std::make_shared<Channel<T>>(*this, std::move(consume), capacity);
    Channel<T>& channel = *made;
    Stage& stage = add(made);
    if (!takeThread()) {
        produce(channel);
        return;
    }
    channel.queued_ = true;
    start(stage, [this, &channel, produce = std::move(produce)] {
        produce(channel);
        close(channel);
    });
    channel.drain();
    requireRunning();
}

} // namespace sintegra
