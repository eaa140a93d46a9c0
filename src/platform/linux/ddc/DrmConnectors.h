#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace brillex::ddc {

// A connector of a graphics card as the kernel shows it in sysfs
// (/sys/class/drm/card0-DP-1): its name without the card ("DP-1"), whether a
// monitor is connected, that monitor's EDID, and the I2C bus its DDC/CI
// travels on (the connector's "ddc" link, or the i2c-N child of a
// DisplayPort's AUX channel).
struct DrmConnector {
    std::string name;
    bool connected = false;
    std::vector<std::uint8_t> edid;
    std::optional<int> bus;
};

// The connectors under `sysfs` (normally "/sys"), by folder name.
std::vector<DrmConnector> readDrmConnectors(const std::filesystem::path& sysfs);

// The bus number of a name "i2c-N"; none for anything else.
std::optional<int> i2cBusNumber(const std::string& name);

} // namespace brillex::ddc
