#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "base/MainLoop.h"
#include "boost/ScreenServices.h"
#include "controls/BrightnessSources.h"
#include "controls/DisplayConnectServices.h"
#include "controls/QueuedBrightnessSource.h"
#include "platform/common/LibraryRegistry.h"

namespace brillex::sim {

// The brightness hardware of the simulated computer: the DisplayServices
// library with its get and set functions over a per-display backlight value
// (1.0 until changed), and the display-connect services that built-in panels
// answer (none at start). Each display is served by the library unless it is
// given no source or a slow one: a bus that takes `delay` seconds of the
// loop's clock per read or write, which a failing status ends until the
// screens next change.
class SimDisplayServices : public DisplayConnectServices, public BrightnessSources {
public:
    // Places the library, with both functions, in `libraries`.
    SimDisplayServices(platform::LibraryRegistry& libraries, MainLoop& loop, ScreenServices& screens);

    enum class Source { library, none, slow };
    // Takes effect at once, as a source that came or went would.
    void setSource(DisplayId id, Source source, double delay = 0.0);

    Functions sourceFor(DisplayId id, const Functions& library) override;
    Subscription observeSources(std::function<void(DisplayId, Change)> changed) override {
        return changes_.connect(std::move(changed));
    }

    enum class Library { present, absent, noGet, noSet };
    // What a later open of the library finds.
    void setLibrary(Library library);

    // The backlight value of a display, as last set by anyone.
    float brightness(DisplayId id) const;
    void setBrightness(DisplayId id, float value) { displays_[id].value = value; }
    // A non-zero status makes the display's reads (or writes) fail with it.
    void setReadStatus(DisplayId id, std::int32_t status) { displays_[id].readStatus = status; }
    void setWriteStatus(DisplayId id, std::int32_t status) { displays_[id].writeStatus = status; }
    // The values sent to the set function, in order.
    const std::vector<std::pair<DisplayId, float>>& sent() const { return sent_; }

    std::optional<std::vector<Service>> matchingServices(const std::string& className) const override;
    std::optional<float> floatParameter(Service service, const std::string& key) const override;

    // The display-connect services in registry order, each with its
    // "brightness" answer (nothing: the service does not answer).
    std::vector<std::optional<float>> displayConnect;
    bool displayConnectQueryFails = false;

private:
    struct Display {
        float value = 1.0f;
        std::int32_t readStatus = 0;
        std::int32_t writeStatus = 0;
        Source source = Source::library;
        double delay = 0.0;
        std::shared_ptr<QueuedBrightnessSource> slow;  // while it answers
        bool failed = false;                           // until the screens change
    };
    class Bus;
    class Worker;

    std::int32_t get(DisplayId id, float* value) const;
    std::int32_t set(DisplayId id, float value);
    void retryFailed();

    platform::LibraryRegistry& libraries_;
    MainLoop& loop_;
    std::map<DisplayId, Display> displays_;
    std::vector<std::pair<DisplayId, float>> sent_;
    Signal<DisplayId, Change> changes_;
    Subscription screenChanges_;
};

} // namespace brillex::sim
