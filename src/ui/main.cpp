// The program: the native platform (or, with --simulate, the simulated
// computer), the Qt front end behind the application-shell ports, and the
// event loop.

#include <QApplication>
#include <QIcon>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "app/BrillexApp.h"
#include "app/ControlCommands.h"
#include "base/Log.h"
#include "base/Port.h"
#include "boost/BrightnessManager.h"
#include "settings/Localization.h"
#include "platform/sim/SimComputer.h"
#include "platform/common/NativePlatform.h"
#include "ui/shell/CommandLine.h"
#include "ui/shell/ControlClient.h"
#include "ui/shell/ControlService.h"
#include "ui/shell/InstanceLock.h"
#include "ui/shell/ManualLoopDriver.h"
#include "ui/shell/QSettingsStore.h"
#include "ui/shell/QtApplication.h"
#include "ui/shell/QtGlobalEventMonitor.h"
#include "ui/shell/QtMainLoop.h"
#include "ui/osd/QtOsdPanel.h"
#include "ui/shell/QtOverlayWindow.h"
#include "ui/shell/QtPopover.h"
#include "ui/shell/QtStatusBar.h"
#include "ui/shell/QtWorkspace.h"
#include "ui/simulator/SimulatorWindow.h"
#include "ui/shell/ToolkitDesktop.h"
#include "ui/shell/TerminationSignals.h"
#include "ui/screens/FontCoverage.h"
#include "ui/screens/ViewEnvironment.h"

namespace {

using namespace brillex;

// A laptop with an extended-range panel, an UltraFine monitor beside it, and
// a battery charging on the power adapter.
void furnishDemoWorld(sim::SimComputer& sim) {
    constexpr DisplayId builtIn = 1;
    constexpr DisplayId external = 2;
    const Rect laptop{0.0, 0.0, 1512.0, 982.0};
    sim.screens.add(Screen{builtIn, "Built-in Liquid Retina XDR Display", 16.0, 16.0, laptop,
                           Rect{0.0, 0.0, 1512.0, 949.0}},
                    true);
    const Rect monitor{1512.0, 0.0, 2560.0, 1440.0};
    sim.screens.add(Screen{external, "LG UltraFine 5K", 2.0, 2.0, monitor, monitor});
    sim.screens.setMainDisplay(builtIn);
    sim.powerSources.list = std::vector<PowerSources::Source>{PowerSourceDescription{
        {kPowerSourceCurrentCapacityKey, std::int64_t{76}},
        {kPowerSourceMaxCapacityKey, std::int64_t{100}},
        {kPowerSourceStateKey, std::string("AC Power")},
        {kPowerSourceIsChargingKey, true},
    }};
}

// The window that shows the simulated computer; opened with --simulate.
std::unique_ptr<QWidget> openSimulatorWindow(sim::SimComputer& sim) {
    auto window = std::make_unique<SimulatorWindow>(sim, BrightnessManager::shared());
    window->show();
    return window;
}

} // namespace

int main(int argc, char** argv) {
    std::string error;
    const std::optional<CommandLine> options = CommandLine::parse(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::cerr << "brillex: " << error << "\n" << CommandLine::usageLine() << "\n";
        return 2;
    }
    switch (options->action) {
    case CommandLine::Action::help:
        std::cout << CommandLine::help();
        return 0;
    case CommandLine::Action::version:
        std::cout << "brillex " << BRILLEX_VERSION << "\n";
        return 0;
    case CommandLine::Action::ctl:
        return ControlClient::main(argc, argv, options->ctlArguments);
    case CommandLine::Action::run:
        break;
    }

    const bool simulate = options->simulate;
    // Asked before Qt starts, on every path: a missing desktop is one clear line and status 2, not a toolkit abort.
    const auto noDesktop = [](const std::string& reason) {
        std::cerr << "brillex: " << reason
                  << "; without a desktop, run `xvfb-run brillex --simulate` or the terminal demo `brillex-sim --demo`\n";
        return 2;
    };
    if (const auto missing = ToolkitDesktop::missing(platform::nativePlatforms(), std::getenv("QT_QPA_PLATFORM")))
        return noDesktop(*missing);
    std::unique_ptr<platform::NativePlatform> native;
    if (!simulate) {
        auto opened = platform::openNativePlatform(platform::nativePlatforms(), {options->builtInOutput});
        if (const auto* missing = std::get_if<std::string>(&opened)) return noDesktop(*missing);
        native = std::move(std::get<std::unique_ptr<platform::NativePlatform>>(opened));
    }

    QApplication qtApplication(argc, argv);
    QApplication::setApplicationName("Brillex");
    QApplication::setOrganizationName("Brillex");
    QApplication::setWindowIcon(QIcon(":/images/AppIcon.svg"));
    // The popover and the simulator window come and go; the program lives in the tray.
    QApplication::setQuitOnLastWindowClosed(false);

    // One instance per user: a second start shows the first one's popover.
    // Without a session bus a lock in the runtime folder tells them apart,
    // though nothing can reach the first one.
    ControlService control(QDBusConnection::sessionBus());
    const ControlService::Claim claim = control.claim();
    if (claim == ControlService::Claim::taken) return ControlClient::showRunningPopover();
    std::optional<InstanceLock> instanceLock;
    if (claim == ControlService::Claim::unavailable) {
        instanceLock.emplace(InstanceLock::defaultPath());
        if (instanceLock->result() == InstanceLock::Result::taken) {
            logLine("Brillex is running already; without a session bus its popover cannot be shown from here");
            return 1;
        }
    }

    // The models run on Qt's loop; the simulated pieces keep their manual one.
    QtMainLoop loop;
    std::unique_ptr<sim::SimComputer> sim;
    std::unique_ptr<ManualLoopDriver> simulatedLoop;
    std::unique_ptr<platform::InstalledPorts> nativePorts;
    if (simulate) {
        sim = std::make_unique<sim::SimComputer>();
        furnishDemoWorld(*sim);
        sim->install();
        simulatedLoop = std::make_unique<ManualLoopDriver>(sim->loop);
    }
    Port<MainLoop>::install(&loop);

    QSettingsStore store(loop);
    QtGlobalEventMonitor eventMonitor;
    QtStatusBar statusBar(eventMonitor);
    QtPopoverFactory popovers(&ViewEnvironment::shared);
    QtApplication application;
    QtWorkspace workspace;
    QtOsdPanelService osdPanels;
    // Natively the overlays are plain Qt windows; simulated ones mirror the simulated device.
    QtExtendedRangeOutput overlays(sim ? &sim->edrOutput : nullptr);
    Port<SettingsStore>::install(&store);
    Port<GlobalEventMonitor>::install(&eventMonitor);
    Port<StatusBar>::install(&statusBar);
    Port<PopoverFactory>::install(&popovers);
    Port<Application>::install(&application);
    Port<Workspace>::install(&workspace);
    Port<OsdPanelService>::install(&osdPanels);
    Port<ExtendedRangeOutput>::install(&overlays);
    // Installed after the Qt shell, so that a native platform may put its own shell ports in their place.
    if (native) nativePorts = native->install(loop);

    TerminationSignals signals([&application](int) { application.terminate(); });

    BrillexApp app(AppDelegate::Platform::installed(), AppModels::shared());
    ControlCommands commands = ControlCommands::installed(app.appDelegate);
    control.serve(commands);
    // Opened once launching has made the models, so that they come to be in
    // the launch sequence's order.
    std::unique_ptr<QWidget> simulator;
    application.afterLaunch = [&] {
        // Said at launch, not only once the popover first opens.
        FontCoverage::shared().checkCurrentLanguage(Localization::shared());
        if (simulate && options->simulatorWindow) simulator = openSimulatorWindow(*sim);
        DisplayBoostState* state = options->boostBuiltIn ? BrightnessManager::shared().builtInDisplayState() : nullptr;
        if (state) {
            state->setBoostEnabled(true);
            state->setBoostLevel(0.5);
        }
    };
    return app.run();
}
