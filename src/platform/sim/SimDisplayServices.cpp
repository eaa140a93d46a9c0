#include "platform/sim/SimDisplayServices.h"

#include "controls/DisplayBrightnessState.h"
#include "controls/SystemBrightness.h"

namespace brillex::sim {

SimDisplayServices::SimDisplayServices(platform::LibraryRegistry& libraries) : libraries_(libraries) {
    setLibrary(Library::present);
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
