#pragma once

#include <memory>

#include "platform/common/NativePlatform.h"
#include "platform/linux/wayland/MutterDisplayConfig.h"
#include "platform/linux/wayland/WaylandConnection.h"

namespace brillex::wayland {

// The native platform on a Wayland session whose compositor lets a client
// set output gamma, found by what it offers: wlroots' gamma control among
// the registry's globals, else GNOME's display configuration on the session
// bus. A session that offers neither is not its kind (XWayland's X11
// platform then runs it without boost).
class WaylandDesktop : public platform::NativePlatform {
public:
    static platform::NativeOpening open(const platform::NativeOptions& options);

    std::unique_ptr<platform::InstalledPorts> install(MainLoop& loop) override;

private:
    WaylandDesktop(std::unique_ptr<WaylandConnection> connection, std::unique_ptr<MutterDisplayConfig> mutter,
                   platform::NativeOptions options)
        : connection_(std::move(connection)), mutter_(std::move(mutter)), options_(std::move(options)) {}

    // One of the two is set.
    std::unique_ptr<WaylandConnection> connection_;
    std::unique_ptr<MutterDisplayConfig> mutter_;
    platform::NativeOptions options_;
};

} // namespace brillex::wayland
