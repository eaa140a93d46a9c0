#pragma once

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <shared_mutex>
#include <thread>

#include "base/MainLoop.h"
#include "controls/BrightnessDevice.h"

namespace brillex::ddc {

// Closes a set of workers at once: after close() (which waits for the jobs in
// hand) none of them runs a job or posts again, whoever still holds them. The
// program closes its workers before the main loop and the libraries go.
class WorkerGate {
public:
    void close() {
        const std::unique_lock guard(lock_);
        closed_ = true;
    }

private:
    friend class ThreadWorker;
    std::shared_mutex lock_;
    bool closed_ = false;
};

// A brightness worker on a thread of its own, which keeps the device (and
// whatever the device holds open) for its whole life: a display's bus is only
// ever touched from that thread. Completions are posted to the main loop.
class ThreadWorker : public BrightnessWorker {
public:
    ThreadWorker(MainLoop& loop, std::unique_ptr<BrightnessDevice> device,
                 std::shared_ptr<WorkerGate> gate = std::make_shared<WorkerGate>());
    ~ThreadWorker() override;
    ThreadWorker(const ThreadWorker&) = delete;
    ThreadWorker& operator=(const ThreadWorker&) = delete;

    void run(Job job) override;

private:
    void work();

    MainLoop& loop_;
    std::unique_ptr<BrightnessDevice> device_;
    std::shared_ptr<WorkerGate> gate_;
    std::mutex lock_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace brillex::ddc
