#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "base/MainLoop.h"

namespace brillex {

// A main loop on a virtual clock for tests and the scenario runner: nothing
// happens until the owner runs posted tasks or advances time.
class ManualLoop : public MainLoop {
public:
    // May be called from any thread, as a worker's completion is.
    void post(std::function<void()> task) override;
    Timer schedule(double seconds, bool repeats, std::function<void()> fire) override;
    double now() const override { return now_; }

    // Runs posted tasks, including those they post, until none is left.
    void runPending();
    // Advances the clock, firing each due timer in time order (ties in the
    // order they were scheduled) and running posted tasks after each firing.
    void advance(double seconds);

    std::size_t pendingTasks() const;
    std::size_t activeTimers() const;

private:
    struct Entry;
    std::shared_ptr<Entry> nextDue(double limit) const;

    double now_ = 0.0;
    std::uint64_t sequence_ = 0;
    mutable std::mutex tasksLock_;
    std::deque<std::function<void()>> tasks_;
    std::vector<std::shared_ptr<Entry>> timers_;
};

} // namespace brillex
