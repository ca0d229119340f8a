#include "run/pipeline/pipeline.hpp"

namespace sintegra {

void Pipeline::run(unsigned threads, const std::function<void(Pipeline&)>& feed) {
    Pipeline pipeline(threads);
    try {
        feed(pipeline);
        pipeline.finish();
    } catch (const PipelineStopped&) {
    } catch (...) {
        pipeline.fail(std::current_exception());
    }
    pipeline.stop();
    for (Stage& stage : pipeline.stages_) {
        if (stage.thread.joinable()) {
            stage.thread.join();
        }
    }
    if (pipeline.error_) {
        std::rethrow_exception(pipeline.error_);
    }
}

void Pipeline::task(std::function<void()> body) {
    Stage& stage = add(nullptr);
    if (takeThread()) {
        start(stage, std::move(body));
    } else {
        body();
    }
}

void Pipeline::stop() noexcept {
    const std::lock_guard lock(mutex_);
    stopLocked();
}

void Pipeline::stopLocked() noexcept {
    stopped_ = true;
    for (Stage& stage : stages_) {
        if (stage.channel) {
            stage.channel->changed_.notify_all();
        }
    }
}

// Under the lock: a stage that fails may be stopping the others meanwhile.
Pipeline::Stage& Pipeline::add(std::shared_ptr<ChannelEnds> channel) {
    const std::lock_guard lock(mutex_);
    return stages_.emplace_back(Stage{std::move(channel), {}});
}

void Pipeline::close(ChannelEnds& channel) {
    {
        const std::lock_guard lock(mutex_);
        channel.closed_ = true;
    }
    channel.changed_.notify_all();
}

bool Pipeline::takeThread() noexcept {
    if (threadsLeft_ == 0) {
        return false;
    }
    --threadsLeft_;
    return true;
}

void Pipeline::start(Stage& stage, std::function<void()> body) {
    stage.thread = std::thread([this, body = std::move(body)] {
        try {
            body();
        } catch (const PipelineStopped&) {
        } catch (...) {
            fail(std::current_exception());
        }
    });
}

// What fails once the pipeline has stopped fails for want of what was dropped.
void Pipeline::fail(std::exception_ptr error) noexcept {
    const std::lock_guard lock(mutex_);
    if (!stopped_) {
        error_ = error;
    }
    stopLocked();
}

// The last declared stages send to the earlier ones: they are shut first.
void Pipeline::finish() {
    for (auto stage = stages_.rbegin(); stage != stages_.rend(); ++stage) {
        if (stage->channel) {
            close(*stage->channel);
        }
        if (stage->thread.joinable()) {
            stage->thread.join();
        }
    }
}

} // namespace sintegra
