#pragma once

#include <functional>
#include <memory>

namespace brillex {

// Handle of a scheduled timer. Invalidating it, or dropping it, stops the
// timer; a one-shot timer that has fired is no longer valid.
class Timer {
public:
    struct Control {
        virtual ~Control() = default;
        virtual void invalidate() = 0;
        virtual bool isValid() const = 0;
    };

    Timer() = default;
    explicit Timer(std::shared_ptr<Control> control) : control_(std::move(control)) {}
    Timer(Timer&&) noexcept = default;
    Timer& operator=(Timer&& other) noexcept {
        if (this != &other) {
            invalidate();
            control_ = std::move(other.control_);
        }
        return *this;
    }
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    ~Timer() { invalidate(); }

    void invalidate() {
        if (control_) control_->invalidate();
        control_.reset();
    }
    bool isValid() const { return control_ && control_->isValid(); }

private:
    std::shared_ptr<Control> control_;
};

// The main thread's run loop: everything in the program runs on it.
class MainLoop {
public:
    virtual ~MainLoop() = default;

    // Queues a task to run on a later turn of the loop, after the current work.
    virtual void post(std::function<void()> task) = 0;
    // Schedules a timer; a repeating one fires every `seconds` until invalidated.
    [[nodiscard]] virtual Timer schedule(double seconds, bool repeats, std::function<void()> fire) = 0;
    // Seconds on a monotonic clock.
    virtual double now() const = 0;
};

} // namespace brillex
