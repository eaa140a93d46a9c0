#include "platform/linux/ddc/DrmConnectors.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>

namespace brillex::ddc {
namespace fs = std::filesystem;

std::optional<int> i2cBusNumber(const std::string& name) {
    constexpr std::string_view prefix = "i2c-";
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return std::nullopt;
    int bus = -1;
    const char* end = name.data() + name.size();
    const auto [at, error] = std::from_chars(name.data() + prefix.size(), end, bus);
    if (error != std::errc() || at != end || bus < 0) return std::nullopt;
    return bus;
}

namespace {

std::vector<std::uint8_t> fileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::optional<int> busOf(const fs::path& connector) {
    std::error_code error;
    const fs::path ddc = fs::read_symlink(connector / "ddc", error);
    if (!error) return i2cBusNumber(ddc.filename().string());
    for (const auto& entry : fs::directory_iterator(connector, error)) {
        if (const auto bus = i2cBusNumber(entry.path().filename().string())) return bus;
    }
    return std::nullopt;
}

} // namespace

std::vector<DrmConnector> readDrmConnectors(const fs::path& sysfs) {
    std::vector<DrmConnector> connectors;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(sysfs / "class" / "drm", error)) {
        const std::string folder = entry.path().filename().string();
        // "card0-DP-1": a card's own folder ("card0") and render nodes have no dash.
        const auto dash = folder.find('-');
        if (folder.rfind("card", 0) != 0 || dash == std::string::npos) continue;
        DrmConnector connector;
        connector.name = folder.substr(dash + 1);
        std::string status;
        std::ifstream(entry.path() / "status") >> status;
        connector.connected = status == "connected";
        connector.edid = fileBytes(entry.path() / "edid");
        connector.bus = busOf(entry.path());
        connectors.push_back(std::move(connector));
    }
    std::sort(connectors.begin(), connectors.end(),
              [](const DrmConnector& a, const DrmConnector& b) { return a.name < b.name; });
    return connectors;
}

} // namespace brillex::ddc
