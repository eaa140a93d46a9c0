#include "base/ManualLoop.h"

#include <algorithm>

namespace brillex {

struct ManualLoop::Entry : Timer::Control {
    double due = 0.0;
    double interval = 0.0;
    bool repeats = false;
    bool valid = true;
    std::uint64_t sequence = 0;
    std::function<void()> fire;

    void invalidate() override {
        valid = false;
        fire = nullptr;
    }
    bool isValid() const override { return valid; }
};

void ManualLoop::post(std::function<void()> task) {
    const std::lock_guard lock(tasksLock_);
    tasks_.push_back(std::move(task));
}

std::size_t ManualLoop::pendingTasks() const {
    const std::lock_guard lock(tasksLock_);
    return tasks_.size();
}

Timer ManualLoop::schedule(double seconds, bool repeats, std::function<void()> fire) {
    auto entry = std::make_shared<Entry>();
    entry->interval = seconds > 0.0 ? seconds : 0.0;
    entry->due = now_ + entry->interval;
    entry->repeats = repeats;
    entry->sequence = sequence_++;
    entry->fire = std::move(fire);
    timers_.push_back(entry);
    return Timer(entry);
}

void ManualLoop::runPending() {
    for (;;) {
        std::function<void()> task;
        {
            const std::lock_guard lock(tasksLock_);
            if (tasks_.empty()) return;
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        if (task) task();
    }
}

std::shared_ptr<ManualLoop::Entry> ManualLoop::nextDue(double limit) const {
    std::shared_ptr<Entry> best;
    for (const auto& entry : timers_) {
        if (!entry->valid || entry->due > limit) continue;
        if (!best || entry->due < best->due || (entry->due == best->due && entry->sequence < best->sequence)) best = entry;
    }
    return best;
}

void ManualLoop::advance(double seconds) {
    const double target = now_ + (seconds > 0.0 ? seconds : 0.0);
    runPending();
    while (auto entry = nextDue(target)) {
        now_ = std::max(now_, entry->due);
        if (entry->repeats && entry->interval > 0.0) {
            entry->due += entry->interval;
            entry->sequence = sequence_++;
        } else {
            entry->valid = false;
        }
        if (auto fire = entry->fire) fire();
        if (!entry->valid) entry->fire = nullptr;
        runPending();
        std::erase_if(timers_, [](const auto& e) { return !e->valid; });
    }
    now_ = target;
}

std::size_t ManualLoop::activeTimers() const {
    return static_cast<std::size_t>(std::count_if(timers_.begin(), timers_.end(), [](const auto& e) { return e->valid; }));
}

} // namespace brillex
