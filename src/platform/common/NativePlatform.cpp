#include "platform/common/NativePlatform.h"

namespace brillex::platform {

NativeOpening openNativePlatform(std::span<const NativePlatformEntry> entries, const NativeOptions& options) {
    if (entries.empty()) return std::string("no native platform is built for this system");
    std::string reasons;
    for (const NativePlatformEntry& entry : entries) {
        NativeOpening opened = entry.open(options);
        if (std::holds_alternative<std::unique_ptr<NativePlatform>>(opened)) return opened;
        if (!reasons.empty()) reasons += "; ";
        reasons += std::get<std::string>(opened);
    }
    return reasons;
}

std::optional<std::string> findDesktop(std::span<const NativePlatformEntry> entries) {
    std::string reasons;
    for (const NativePlatformEntry& entry : entries) {
        const std::optional<std::string> missing = entry.findDesktop();
        if (!missing) return std::nullopt;
        if (!reasons.empty()) reasons += "; ";
        reasons += *missing;
    }
    if (reasons.empty()) return std::nullopt;
    return reasons;
}

} // namespace brillex::platform
