#include "ui/shell/ToolkitDesktop.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace brillex {

namespace {

// Qt's plugins that draw into memory, a framebuffer or a remote viewer.
constexpr std::array<std::string_view, 7> kDisplaylessPlugins{"offscreen", "minimal",      "minimalegl", "vnc",
                                                             "linuxfb",   "vkkhrdisplay", "eglfs"};

} // namespace

std::optional<std::string> ToolkitDesktop::missing(std::span<const platform::NativePlatformEntry> entries,
                                                   const char* qpaPlatform) {
    // "NAME:OPTIONS", or a list "A;B" that Qt tries in order: the first one decides.
    const std::string_view requested = qpaPlatform ? qpaPlatform : "";
    const std::string_view plugin = requested.substr(0, requested.find_first_of(":;"));
    if (std::find(kDisplaylessPlugins.begin(), kDisplaylessPlugins.end(), plugin) != kDisplaylessPlugins.end())
        return std::nullopt;
    return platform::findDesktop(entries);
}

} // namespace brillex
