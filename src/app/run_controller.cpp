#include "app/run_controller.hpp"

#include <chrono>

#include <QCoreApplication>
#include <QThread>

#include "app/window_host.hpp"

namespace sintegra::app {

RunController::RunController(Engine& engine, const RunInputs& inputs, QObject* parent)
    : QObject(parent)
    , engine_(engine)
    , inputs_(inputs) {}

RunController::~RunController() {
    if (!worker_) {
        return;
    }
    // Nobody is left to hear how the run ended.
    disconnect(this, nullptr, nullptr, nullptr);
    cancel();
    // workerStopped may run in here and release the worker.
    while (worker_ && !worker_->wait(std::chrono::milliseconds(10))) {
        QCoreApplication::processEvents();
    }
}

void RunController::start() {
    if (isRunning()) {
        return;
    }
    cancelled_.store(false);
    host_ = std::make_unique<WindowHost>(inputs_, *this, cancelled_);
    connect(host_.get(), &WindowHost::progressed, this, &RunController::progressed, Qt::QueuedConnection);
    worker_.reset(QThread::create([this] { outcome_ = runEngine(engine_, *host_); }));
    connect(worker_.get(), &QThread::finished, this, &RunController::workerStopped, Qt::QueuedConnection);
    worker_->start();
}

void RunController::workerStopped() {
    if (!worker_) {
        return;
    }
    worker_->wait();
    worker_.reset();
    host_.reset();
    emit finished(outcome_);
}

} // namespace sintegra::app
