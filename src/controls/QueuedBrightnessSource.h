#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "base/MainLoop.h"
#include "controls/BrightnessDevice.h"
#include "controls/BrightnessSources.h"

namespace brillex {

// A display's brightness over a device that answers slowly, without the main
// thread ever waiting: a set is queued and the latest value wins (a drag sends
// a few writes a second and ends on its last value), a get answers the value
// last read or asked for and asks the device for a fresh reading. A reading
// taken once the writes have settled checks what the display holds. The first
// failure of the device ends the source.
class QueuedBrightnessSource : public std::enable_shared_from_this<QueuedBrightnessSource> {
public:
    // Writes start at least this far apart.
    static constexpr double kWriteInterval = 0.2;
    // A get asks for a fresh reading when the last one is older than this.
    static constexpr double kReadInterval = 0.25;
    // What get answers before the first reading came (EAGAIN) and after a failure (EIO).
    static constexpr std::int32_t kNotYetRead = 11;
    static constexpr std::int32_t kFailed = 5;

    struct Events {
        std::function<void()> fresh;               // a reading differs from the value last answered
        std::function<void(std::int32_t)> failed;  // the device's failing status, once
    };

    // Asks the device for its value at once. Events come on the main thread.
    static std::shared_ptr<QueuedBrightnessSource> make(std::unique_ptr<BrightnessWorker> worker, MainLoop& loop,
                                                        Events events);

    // Get and set functions (the display id is the caller's) that keep the source alive.
    BrightnessSources::Functions functions();

    std::int32_t get(float* value);
    std::int32_t set(float value);

private:
    QueuedBrightnessSource(std::unique_ptr<BrightnessWorker> worker, MainLoop& loop, Events events);

    void pump();
    void start(BrightnessWorker::Job job);
    void written(std::int32_t status);
    void readDone(BrightnessDevice::Reading reading);
    void fail(std::int32_t status);

    std::unique_ptr<BrightnessWorker> worker_;
    MainLoop& loop_;
    Events events_;
    std::optional<float> value_;   // last read, or last asked for
    std::optional<float> target_;  // asked for and not yet sent
    bool busy_ = false;
    bool readWanted_ = true;
    bool failed_ = false;
    std::optional<double> lastWrite_;
    std::optional<double> lastRead_;
    Timer writeTimer_;
};

} // namespace brillex
