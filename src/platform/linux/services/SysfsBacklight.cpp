#include "platform/linux/services/SysfsBacklight.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <fstream>
#include <limits>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace brillex::x11 {
namespace fs = std::filesystem;

namespace {

std::string firstLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

// Lower ranks are preferred; a kind the kernel does not document is never taken.
std::optional<int> kindRank(const std::string& kind) {
    if (kind == "firmware") return 0;
    if (kind == "platform") return 1;
    if (kind == "raw") return 2;
    return std::nullopt;
}

} // namespace

std::optional<std::uint64_t> readSysfsNumber(const fs::path& file) {
    std::ifstream in(file);
    if (!in) return std::nullopt;
    // Sysfs attributes are at most a page; anything longer is not a number.
    std::string text(64, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (!text.empty() && text.back() == '\n') text.pop_back();
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

std::optional<SysfsBacklight> SysfsBacklight::find(const fs::path& classFolder) {
    std::error_code error;
    std::vector<std::pair<int, fs::path>> candidates;
    for (const auto& entry : fs::directory_iterator(classFolder, error)) {
        // The ddcci driver's devices are external monitors, each with its own source.
        if (entry.path().filename().string().rfind("ddcci", 0) == 0) continue;
        const auto rank = kindRank(firstLine(entry.path() / "type"));
        if (!rank || !SysfsBacklight(entry.path()).maxBrightness()) continue;
        candidates.emplace_back(*rank, entry.path());
    }
    if (candidates.empty()) return std::nullopt;
    return SysfsBacklight(std::min_element(candidates.begin(), candidates.end())->second);
}

SysfsBacklight::SysfsBacklight(fs::path folder) : folder_(std::move(folder)) {}

std::optional<std::uint32_t> SysfsBacklight::maxBrightness() const {
    const auto value = readSysfsNumber(folder_ / "max_brightness");
    if (!value || *value == 0 || *value > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
    return static_cast<std::uint32_t>(*value);
}

std::optional<float> SysfsBacklight::fraction(const char* file) const {
    const auto maximum = maxBrightness();
    if (!maximum) {
        faults_.once("Backlight: " + name() + ": max_brightness is not a number above 0");
        return std::nullopt;
    }
    const auto level = readSysfsNumber(folder_ / file);
    if (!level) {
        faults_.once("Backlight: " + name() + ": " + file + " is not a number");
        return std::nullopt;
    }
    if (*level > *maximum) faults_.once("Backlight: " + name() + ": " + file + " above max_brightness, taken as the maximum");
    return static_cast<float>(static_cast<double>(std::min<std::uint64_t>(*level, *maximum)) / *maximum);
}

int SysfsBacklight::write(std::uint32_t level) const {
    // No O_CREAT: a device whose attribute vanished must not get a plain file instead.
    const int fd = ::open((folder_ / "brightness").c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return errno;
    const std::string text = std::to_string(level) + "\n";
    const ssize_t written = ::write(fd, text.data(), text.size());
    const int failure = written == static_cast<ssize_t>(text.size()) ? 0 : (written < 0 ? errno : EIO);
    ::close(fd);
    return failure;
}

} // namespace brillex::x11
