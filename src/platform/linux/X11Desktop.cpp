#include "platform/linux/X11Desktop.h"

#include <QSocketNotifier>

#include "boost/BrightnessManager.h"
#include "platform/linux/LinuxPlatform.h"
#include "platform/linux/x11/X11RampGuard.h"

namespace brillex::x11 {

namespace {

// The saved-ramp guard outlives the ports that report to it.
struct X11Ports : platform::InstalledPorts {
    std::unique_ptr<SavedRampGuard> rampGuard;
    std::unique_ptr<LinuxPlatform> platform;
    std::unique_ptr<QSocketNotifier> guardianWatch;
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
    X11Ports* installed = ports.get();
    // A guardian's death shows at once as the end of its socket.
    const auto watch = [installed](int socket) {
        if (QSocketNotifier* old = installed->guardianWatch.release()) {
            old->setEnabled(false);
            old->deleteLater();  // it may be signalling now
        }
        if (socket < 0) return;
        installed->guardianWatch = std::make_unique<QSocketNotifier>(socket, QSocketNotifier::Read);
        QObject::connect(installed->guardianWatch.get(), &QSocketNotifier::activated,
                         [installed] { installed->rampGuard->checkGuardian(); });
    };
    const auto unguarded = [&loop] { loop.post([] { BrightnessManager::shared().disableAllBoosts(); }); };
    ports->rampGuard = guardX11Ramps(*connection_, watch, unguarded);
    ports->platform = std::make_unique<LinuxPlatform>(
        std::move(connection_), loop, ScreenRules{options_.builtInOutput, X11Screens::isWaylandSession()},
        ports->rampGuard.get());
    ports->platform->install();
    return ports;
}

} // namespace brillex::x11

namespace brillex::platform {

NativeOpening openX11Desktop(const NativeOptions& options) { return x11::X11Desktop::open(options); }

} // namespace brillex::platform
