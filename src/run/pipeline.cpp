#include "run/pipeline.hpp"

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
    Stage& stage = stages_.emplace_back(Stage{nullptr, [] {}, {}});
    if (takeThread()) {
        start(stage, std::move(body));
    } else {
        body();
    }
}

void Pipeline::stop() noexcept {
    {
        const std::lock_guard lock(mutex_);
        stopped_ = true;
    }
    changed_.notify_all();
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
    {
        const std::lock_guard lock(mutex_);
        if (!stopped_) {
            error_ = error;
        }
        stopped_ = true;
    }
    changed_.notify_all();
}

// The last declared stages send to the earlier ones: they are shut first.
void Pipeline::finish() {
    for (auto stage = stages_.rbegin(); stage != stages_.rend(); ++stage) {
        stage->close();
        if (stage->thread.joinable()) {
            stage->thread.join();
        }
    }
}

} // namespace sintegra
