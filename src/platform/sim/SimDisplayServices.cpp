#include "platform/sim/SimDisplayServices.h"

#include "base/Log.h"
#include "controls/DisplayBrightnessState.h"
#include "controls/SystemBrightness.h"

namespace brillex::sim {

// A slow display's bus: the same backlight value and statuses as the library's.
class SimDisplayServices::Bus : public BrightnessDevice {
public:
    Bus(SimDisplayServices& services, DisplayId id) : services_(services), id_(id) {}
    Reading read() override {
        Reading reading;
        reading.status = services_.get(id_, &reading.value);
        return reading;
    }
    std::int32_t write(float value) override { return services_.set(id_, value); }

private:
    SimDisplayServices& services_;
    DisplayId id_;
};

// Each job takes `delay` seconds of the loop's clock, one after the other.
class SimDisplayServices::Worker : public BrightnessWorker {
public:
    Worker(MainLoop& loop, std::unique_ptr<BrightnessDevice> device, double delay)
        : loop_(loop), device_(std::move(device)), delay_(delay) {}
    void run(Job job) override {
        free_ = std::max(free_, loop_.now()) + delay_;
        std::erase_if(jobs_, [](const Timer& timer) { return !timer.isValid(); });
        jobs_.push_back(loop_.schedule(free_ - loop_.now(), false, [this, job = std::move(job)] { job(*device_)(); }));
    }

private:
    MainLoop& loop_;
    std::unique_ptr<BrightnessDevice> device_;
    double delay_;
    double free_ = 0.0;
    std::vector<Timer> jobs_;
};

SimDisplayServices::SimDisplayServices(platform::LibraryRegistry& libraries, MainLoop& loop, ScreenServices& screens)
    : libraries_(libraries), loop_(loop),
      screenChanges_(screens.observeScreenChanges([this] { retryFailed(); })) {
    setLibrary(Library::present);
}

void SimDisplayServices::setSource(DisplayId id, Source source, double delay) {
    auto& display = displays_[id];
    display.source = source;
    display.delay = delay;
    display.slow.reset();
    display.failed = false;
    changes_.emit(id, Change::source);
}

BrightnessSources::Functions SimDisplayServices::sourceFor(DisplayId id, const Functions& library) {
    auto& display = displays_[id];
    if (display.source == Source::library) return library;
    if (display.source == Source::none || display.failed) return {};
    if (!display.slow) {
        QueuedBrightnessSource::Events events{
            [this, id] { changes_.emit(id, Change::value); },
            [this, id](std::int32_t status) {
                logLine("Sim: the brightness bus of display " + std::to_string(id) + " failed with status " +
                        std::to_string(status) + "; no source until the screens change");
                displays_[id].failed = true;
                displays_[id].slow.reset();
                changes_.emit(id, Change::source);
            }};
        display.slow = QueuedBrightnessSource::make(
            std::make_unique<Worker>(loop_, std::make_unique<Bus>(*this, id), display.delay), loop_, std::move(events));
    }
    return display.slow->functions();
}

void SimDisplayServices::retryFailed() {
    for (auto& [id, display] : displays_) {
        if (!display.failed) continue;
        display.failed = false;
        changes_.emit(id, Change::source);
    }
}

void SimDisplayServices::setLibrary(Library library) {
    const std::string path = SystemBrightness::kDisplayServicesPath;
    libraries_.setPresent(path, library != Library::absent);
    if (library == Library::noGet) {
        libraries_.undefine(path, SystemBrightness::kGetFunctionName);
    } else {
        libraries_.define<DisplayBrightnessState::GetSignature>(
            path, SystemBrightness::kGetFunctionName, [this](DisplayId id, float* value) { return get(id, value); });
    }
    if (library == Library::noSet) {
        libraries_.undefine(path, SystemBrightness::kSetFunctionName);
    } else {
        libraries_.define<DisplayBrightnessState::SetSignature>(
            path, SystemBrightness::kSetFunctionName, [this](DisplayId id, float value) { return set(id, value); });
    }
}

float SimDisplayServices::brightness(DisplayId id) const {
    const auto found = displays_.find(id);
    return found == displays_.end() ? Display{}.value : found->second.value;
}

std::int32_t SimDisplayServices::get(DisplayId id, float* value) const {
    const auto found = displays_.find(id);
    const Display display = found == displays_.end() ? Display{} : found->second;
    if (display.readStatus != 0) return display.readStatus;
    *value = display.value;
    return 0;
}

std::int32_t SimDisplayServices::set(DisplayId id, float value) {
    sent_.emplace_back(id, value);
    auto& display = displays_[id];
    if (display.writeStatus != 0) return display.writeStatus;
    display.value = value;
    return 0;
}

std::optional<std::vector<DisplayConnectServices::Service>>
SimDisplayServices::matchingServices(const std::string& className) const {
    if (displayConnectQueryFails || className != "IODisplayConnect") return std::nullopt;
    std::vector<Service> services;
    for (Service service = 0; service < displayConnect.size(); ++service) services.push_back(service);
    return services;
}

std::optional<float> SimDisplayServices::floatParameter(Service service, const std::string& key) const {
    if (key != "brightness" || service >= displayConnect.size()) return std::nullopt;
    return displayConnect[service];
}

} // namespace brillex::sim
