#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <thread>

#include <QDBusConnection>

#include "base/MainLoop.h"
#include "base/Signal.h"
#include "controls/BrightnessSources.h"
#include "controls/QueuedBrightnessSource.h"
#include "platform/linux/ScreenOutputs.h"
#include "platform/linux/ddc/Ddcutil.h"
#include "platform/linux/ddc/ThreadWorker.h"
#include "platform/linux/services/FaultLog.h"

namespace brillex::ddc {

// Each display's brightness source on Linux: the built-in panel keeps the
// brightness library (its sysfs backlight through logind); an external
// monitor that the ddcci driver shows as a backlight device gets that device;
// one that answers DDC/CI on its I2C bus gets libddcutil; any other gets none.
// Monitors are detected on a thread of their own and each monitor's traffic
// runs on its own worker. A monitor that fails is logged and loses its
// source; the monitors are detected again at the next screen change that
// brings a screen not seen before, or after a failure.
// How monitors are found and opened (libddcutil's by default).
struct MonitorBus {
    std::function<Ddcutil::Detection()> detect = &Ddcutil::detect;
    std::function<std::unique_ptr<BrightnessDevice>(const Ddcutil::Monitor&)> open = &Ddcutil::device;
};

class MonitorBrightness : public BrightnessSources {
public:
    using Bus = MonitorBus;

    MonitorBrightness(const ScreenOutputs& outputs, ScreenServices& screens, MainLoop& loop,
                      std::filesystem::path sysfs, QDBusConnection systemBus, Bus bus = {});
    // Closes every monitor's worker, whoever still holds its source.
    ~MonitorBrightness() override;
    MonitorBrightness(const MonitorBrightness&) = delete;
    MonitorBrightness& operator=(const MonitorBrightness&) = delete;

    Functions sourceFor(DisplayId id, const Functions& library) override;
    Subscription observeSources(std::function<void(DisplayId, Change)> changed) override {
        return changes_.connect(std::move(changed));
    }

    // Whether a detection is under way (for tests that wait for one).
    bool isDetecting() const { return detecting_; }

private:
    struct Monitor {
        std::string path;  // what the log names: "/dev/i2c-5" or the backlight folder
        bool library = false;  // reached through libddcutil (and dropped when it detects again)
        std::shared_ptr<QueuedBrightnessSource> source;
    };

    void screensChanged();
    void startDetection();
    void detected(Ddcutil::Detection detection);
    void offer(DisplayId id, Monitor monitor, std::unique_ptr<BrightnessDevice> device);
    void hintAtAccess(const Ddcutil::Detection& detection, bool unserved);

    const ScreenOutputs& outputs_;
    ScreenServices& screens_;
    MainLoop& loop_;
    std::filesystem::path sysfs_;
    QDBusConnection systemBus_;
    Bus bus_;
    std::map<DisplayId, Monitor> monitors_;
    std::set<DisplayId> seen_;  // the external screens of the last detection
    bool failedSince_ = false;
    bool detecting_ = false;
    bool detectAgain_ = false;
    std::thread detector_;
    std::shared_ptr<WorkerGate> workers_ = std::make_shared<WorkerGate>();
    std::shared_ptr<char> alive_ = std::make_shared<char>();
    Signal<DisplayId, Change> changes_;
    Subscription screenChanges_;
    x11::FaultLog faults_;
};

} // namespace brillex::ddc
