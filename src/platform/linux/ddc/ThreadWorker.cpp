#include "platform/linux/ddc/ThreadWorker.h"

namespace brillex::ddc {

ThreadWorker::ThreadWorker(MainLoop& loop, std::unique_ptr<BrightnessDevice> device, std::shared_ptr<WorkerGate> gate)
    : loop_(loop), device_(std::move(device)), gate_(std::move(gate)), thread_([this] { work(); }) {}

ThreadWorker::~ThreadWorker() {
    {
        const std::lock_guard guard(lock_);
        stopping_ = true;
        jobs_.clear();
    }
    wake_.notify_one();
    thread_.join();
}

void ThreadWorker::run(Job job) {
    {
        const std::lock_guard guard(lock_);
        jobs_.push_back(std::move(job));
    }
    wake_.notify_one();
}

void ThreadWorker::work() {
    for (;;) {
        Job job;
        {
            std::unique_lock guard(lock_);
            wake_.wait(guard, [this] { return stopping_ || !jobs_.empty(); });
            if (stopping_) break;
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        const std::shared_lock open(gate_->lock_);
        if (gate_->closed_) return;
        if (Completion done = job(*device_)) loop_.post(std::move(done));
    }
    // Closed where it was opened.
    const std::shared_lock open(gate_->lock_);
    if (!gate_->closed_) device_.reset();
}

} // namespace brillex::ddc
