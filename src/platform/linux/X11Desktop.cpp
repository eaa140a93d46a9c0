#include "platform/linux/X11Desktop.h"

#include "platform/linux/LinuxPlatform.h"
#include "platform/linux/ramps/WatchedRampGuard.h"
#include "platform/linux/x11/XRampWriter.h"

// Xlib last: its macros clash with Qt's names.
#include <X11/Xlib.h>

namespace brillex::x11 {

namespace {

// The saved-ramp guard outlives the ports that report to it.
struct X11Ports : platform::InstalledPorts {
    std::unique_ptr<WatchedRampGuard> rampGuard;
    std::unique_ptr<LinuxPlatform> platform;
};

} // namespace

platform::NativeOpening X11Desktop::open(const platform::NativeOptions& options) {
    auto opened = X11Connection::open();
    if (auto* missing = std::get_if<std::string>(&opened)) return std::move(*missing);
    return std::unique_ptr<platform::NativePlatform>(
        new X11Desktop(std::move(std::get<std::unique_ptr<X11Connection>>(opened)), options));
}

X11Desktop::X11Desktop(std::unique_ptr<X11Connection> connection, platform::NativeOptions options)
    : connection_(std::move(connection)), options_(std::move(options)) {}

std::unique_ptr<platform::InstalledPorts> X11Desktop::install(MainLoop& loop) {
    auto ports = std::make_unique<X11Ports>();
    ports->rampGuard = std::make_unique<WatchedRampGuard>(loop, DisplayString(connection_->display()),
                                                          XRampWriter::kName, std::make_unique<XRampWriter>());
    ports->platform = std::make_unique<LinuxPlatform>(
        std::move(connection_), loop, ScreenRules{options_.builtInOutput, X11Screens::isWaylandSession()},
        &ports->rampGuard->guard());
    ports->platform->install();
    return ports;
}

} // namespace brillex::x11

namespace brillex::platform {

NativeOpening openX11Desktop(const NativeOptions& options) { return x11::X11Desktop::open(options); }

std::optional<std::string> findX11Desktop() { return x11::X11Connection::reach(); }

} // namespace brillex::platform
