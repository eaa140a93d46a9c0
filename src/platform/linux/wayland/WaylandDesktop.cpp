#include "platform/linux/wayland/WaylandDesktop.h"

#include "base/Log.h"
#include "base/Port.h"
#include "platform/linux/ramps/WatchedRampGuard.h"
#include "platform/linux/services/LinuxServices.h"
#include "platform/linux/wayland/MutterRampWriter.h"
#include "platform/linux/wayland/MutterCrtcRamps.h"
#include "platform/linux/wayland/MutterScreens.h"
#include "platform/linux/wayland/WaylandScreens.h"
#include "platform/linux/wayland/WlrGammaRamps.h"
#include "platform/linux/x11/X11TransferTables.h"

namespace brillex::wayland {
namespace {

// The compositor restores its own ramps when the program's controls go, so
// these need no guard.
struct WlrootsPorts : platform::InstalledPorts {
    WlrootsPorts(std::unique_ptr<WaylandConnection> opened, MainLoop& loop, x11::ScreenRules rules)
        : connection(std::move(opened)), screens(*connection, loop, std::move(rules)), services(screens, loop, {}) {}

    std::unique_ptr<WaylandConnection> connection;
    WaylandScreens screens;
    WlrGammaRamps ramps{*connection};
    x11::X11TransferTables transferTables{ramps, nullptr};
    x11::LinuxServices services;
};

// GNOME leaves a ramp set through its display configuration in place when
// the program dies: the guardian writes the native ramps back over a bus
// connection of its own.
struct MutterPorts : platform::InstalledPorts {
    MutterPorts(std::unique_ptr<MutterDisplayConfig> opened, MainLoop& loop, x11::ScreenRules rules)
        : config(std::move(opened)),
          rampGuard(loop, config->busAddress(), MutterRampWriter::kName, std::make_unique<MutterRampWriter>()),
          screens(*config, loop, std::move(rules)), services(screens, loop, {}) {
        config->setMonitorsChanged([this] {
            ramps.reapply();
            screens.monitorsChanged();
        });
    }
    ~MutterPorts() override { config->setMonitorsChanged({}); }

    std::unique_ptr<MutterDisplayConfig> config;
    // Outlives the tables that report to it.
    x11::WatchedRampGuard rampGuard;
    MutterScreens screens;
    MutterCrtcRamps ramps{*config};
    x11::X11TransferTables transferTables{ramps, &rampGuard.guard()};
    x11::LinuxServices services;
};

template <class Ports> std::unique_ptr<platform::InstalledPorts> installed(std::unique_ptr<Ports> ports) {
    Port<ScreenServices>::install(&ports->screens);
    Port<TransferTables>::install(&ports->transferTables);
    ports->services.install();
    return ports;
}

} // namespace

platform::NativeOpening WaylandDesktop::open(const platform::NativeOptions& options) {
    auto opened = WaylandConnection::open();
    if (auto* missing = std::get_if<std::string>(&opened)) return std::move(*missing);
    auto connection = std::move(std::get<std::unique_ptr<WaylandConnection>>(opened));
    if (connection->gammaManager())
        return std::unique_ptr<platform::NativePlatform>(new WaylandDesktop(std::move(connection), nullptr, options));
    auto mutter = MutterDisplayConfig::open();
    if (auto* missing = std::get_if<std::string>(&mutter))
        return "the Wayland compositor offers neither wlroots gamma control (zwlr_gamma_control_manager_v1 is not "
               "among its globals) nor " +
               *missing;
    return std::unique_ptr<platform::NativePlatform>(
        new WaylandDesktop(nullptr, std::move(std::get<std::unique_ptr<MutterDisplayConfig>>(mutter)), options));
}

std::unique_ptr<platform::InstalledPorts> WaylandDesktop::install(MainLoop& loop) {
    const x11::ScreenRules rules{options_.builtInOutput, false};
    if (mutter_) {
        logLine("Wayland: displays are boosted through GNOME's display configuration (Mutter)");
        return installed(std::make_unique<MutterPorts>(std::move(mutter_), loop, rules));
    }
    logLine("Wayland: displays are boosted through the compositor's gamma control (wlroots); it restores its own "
            "ramps whenever the program ends");
    return installed(std::make_unique<WlrootsPorts>(std::move(connection_), loop, rules));
}

} // namespace brillex::wayland

namespace brillex::platform {

NativeOpening openWaylandDesktop(const NativeOptions& options) { return wayland::WaylandDesktop::open(options); }

std::optional<std::string> findWaylandDesktop() { return wayland::WaylandConnection::reach(); }

} // namespace brillex::platform
