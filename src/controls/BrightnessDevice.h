#pragma once

#include <cstdint>
#include <functional>

namespace brillex {

// One display's brightness hardware behind slow, blocking calls (a bus
// transaction each, tens of milliseconds or more). Only ever used from its
// worker, one call at a time.
class BrightnessDevice {
public:
    struct Reading {
        std::int32_t status = 0;  // 0 on success
        float value = 0.0f;       // 0.0 to 1.0
    };

    virtual ~BrightnessDevice() = default;
    virtual Reading read() = 0;
    virtual std::int32_t write(float value) = 0;
};

// Owns a device and runs jobs on it away from the main thread, one at a time
// in the order given; what a job returns runs on the main thread afterwards.
// Destroying the worker waits for the job in hand, drops the others and
// releases the device where it was used.
class BrightnessWorker {
public:
    using Completion = std::function<void()>;
    using Job = std::function<Completion(BrightnessDevice&)>;

    virtual ~BrightnessWorker() = default;
    virtual void run(Job job) = 0;
};

} // namespace brillex
