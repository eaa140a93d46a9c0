#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "boost/ScreenServices.h"
#include "controls/DisplayConnectServices.h"
#include "platform/common/LibraryRegistry.h"

namespace brillex::sim {

// The brightness hardware of the simulated computer: the DisplayServices
// library with its get and set functions over a per-display backlight value
// (1.0 until changed), and the display-connect services that built-in panels
// answer (none at start).
class SimDisplayServices : public DisplayConnectServices {
public:
    // Places the library, with both functions, in `libraries`.
    explicit SimDisplayServices(platform::LibraryRegistry& libraries);

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
    };

    std::int32_t get(DisplayId id, float* value) const;
    std::int32_t set(DisplayId id, float value);

    platform::LibraryRegistry& libraries_;
    std::map<DisplayId, Display> displays_;
    std::vector<std::pair<DisplayId, float>> sent_;
};

} // namespace brillex::sim
