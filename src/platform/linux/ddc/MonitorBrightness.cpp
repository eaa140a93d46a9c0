#include "platform/linux/ddc/MonitorBrightness.h"

#include "base/Log.h"
#include "platform/linux/ddc/DdcciBacklight.h"
#include "platform/linux/ddc/DrmConnectors.h"
#include "platform/linux/ddc/ThreadWorker.h"

namespace brillex::ddc {
namespace fs = std::filesystem;

MonitorBrightness::MonitorBrightness(const ScreenOutputs& outputs, ScreenServices& screens, MainLoop& loop,
                                     fs::path sysfs, QDBusConnection systemBus, Bus bus)
    : outputs_(outputs), screens_(screens), loop_(loop), sysfs_(std::move(sysfs)), systemBus_(std::move(systemBus)),
      bus_(std::move(bus)), screenChanges_(screens.observeScreenChanges([this] { screensChanged(); })) {
    if (const auto failure = Ddcutil::load())
        logLine("DDC: libddcutil cannot be loaded (" + *failure + "); external monitors' brightness is not offered");
    startDetection();
}

MonitorBrightness::~MonitorBrightness() {
    if (detector_.joinable()) detector_.join();
    workers_->close();
}

BrightnessSources::Functions MonitorBrightness::sourceFor(DisplayId id, const Functions& library) {
    if (const auto found = monitors_.find(id); found != monitors_.end()) return found->second.source->functions();
    if (screens_.isBuiltIn(id)) return library;
    return {};
}

void MonitorBrightness::screensChanged() {
    std::set<DisplayId> external;
    for (const auto& output : outputs_.screenOutputs()) {
        if (!output.builtIn) external.insert(output.id);
    }
    std::erase_if(monitors_, [&](const auto& entry) { return !external.count(entry.first); });
    const bool unseen = std::any_of(external.begin(), external.end(), [this](DisplayId id) { return !seen_.count(id); });
    if (unseen || failedSince_) startDetection();
}

void MonitorBrightness::startDetection() {
    if (detecting_) {
        detectAgain_ = true;
        return;
    }
    // Detecting again ends every handle of the last detection: their sources go first.
    for (auto it = monitors_.begin(); it != monitors_.end();) {
        if (!it->second.library) {
            ++it;
            continue;
        }
        const DisplayId id = it->first;
        it = monitors_.erase(it);
        changes_.emit(id, Change::source);
    }
    detecting_ = true;
    if (detector_.joinable()) detector_.join();
    detector_ = std::thread([this, alive = std::weak_ptr<char>(alive_), detect = bus_.detect] {
        auto detection = std::make_shared<Ddcutil::Detection>(detect());
        loop_.post([this, alive, detection] {
            if (alive.lock()) detected(std::move(*detection));
        });
    });
}

void MonitorBrightness::detected(Ddcutil::Detection detection) {
    detecting_ = false;
    if (detectAgain_) {
        detectAgain_ = false;
        startDetection();
        return;
    }
    const auto outputs = outputs_.screenOutputs();
    std::vector<BusMonitor> found(detection.monitors.begin(), detection.monitors.end());
    const MonitorMatch match = matchMonitors(outputs, found, readDrmConnectors(sysfs_));
    seen_.clear();
    failedSince_ = false;
    for (const auto& output : outputs) {
        if (!output.builtIn) seen_.insert(output.id);
    }
    for (const DisplayId id : match.ambiguous) {
        faults_.once("DDC: display " + std::to_string(id) +
                     " shows the same EDID as another monitor and its connector does not tell them apart; its "
                     "brightness is not offered");
    }
    // Only a screen with an EDID is a monitor that may answer on a bus; one
    // without is a virtual machine's or a headless server's.
    bool unserved = false;
    for (const auto& output : outputs) {
        const DisplayId id = output.id;
        if (output.builtIn || monitors_.count(id)) continue;
        const auto bus = match.buses.find(id);
        if (bus == match.buses.end()) {
            unserved |= !output.edid.empty();
            continue;
        }
        if (const auto folder = DdcciBacklight::find(sysfs_, bus->second)) {
            offer(id, Monitor{folder->string(), false, nullptr}, std::make_unique<DdcciBacklight>(*folder, systemBus_));
            continue;
        }
        const auto monitor = std::find_if(detection.monitors.begin(), detection.monitors.end(),
                                          [&](const Ddcutil::Monitor& m) { return m.bus == bus->second; });
        if (monitor == detection.monitors.end()) {
            unserved |= !output.edid.empty();
            continue;
        }
        offer(id, Monitor{"/dev/i2c-" + std::to_string(monitor->bus), true, nullptr}, bus_.open(*monitor));
    }
    hintAtAccess(detection, unserved);
}

void MonitorBrightness::offer(DisplayId id, Monitor monitor, std::unique_ptr<BrightnessDevice> device) {
    const std::string path = monitor.path;
    QueuedBrightnessSource::Events events{
        [this, id] { changes_.emit(id, Change::value); },
        [this, id, path](std::int32_t status) {
            logLine("DDC: display " + std::to_string(id) + " (" + path + ") does not answer (" +
                    Ddcutil::statusName(status) + "); its brightness is unavailable until the screens change");
            monitors_.erase(id);
            failedSince_ = true;
            changes_.emit(id, Change::source);
        }};
    monitor.source = QueuedBrightnessSource::make(std::make_unique<ThreadWorker>(loop_, std::move(device), workers_), loop_,
                                                  std::move(events));
    logLine("DDC: display " + std::to_string(id) + " brightness through " + path);
    monitors_[id] = std::move(monitor);
    changes_.emit(id, Change::source);
}

void MonitorBrightness::hintAtAccess(const Ddcutil::Detection& detection, bool unserved) {
    std::error_code error;
    const bool noBusDevices = fs::is_empty(sysfs_ / "class" / "i2c-dev", error) || error;
    if (detection.accessDenied) {
        faults_.once("DDC: the monitors' I2C buses cannot be opened (permission denied): install the ddcutil package "
                     "for its udev rule (uaccess on /dev/i2c-*), make sure the i2c-dev module is loaded, then log out "
                     "and in again");
    } else if (unserved && noBusDevices) {
        faults_.once("DDC: no /dev/i2c-* devices, so external monitors cannot be reached: load the i2c-dev module "
                     "(sudo modprobe i2c-dev; add it to /etc/modules-load.d/ to keep it) and install the ddcutil "
                     "package for its udev rule, then log out and in again");
    }
}

} // namespace brillex::ddc
