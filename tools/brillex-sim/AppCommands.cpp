#include "Runner.h"

#include <memory>

#include "app/BrillexApp.h"
#include "base/Format.h"
#include "controls/SystemBrightness.h"
#include "power/BatteryMonitor.h"

namespace brillex::sim {
namespace {

// The application of the script: made on first need, like the process's own,
// from the simulated platform and the shared model objects.
class AppSession {
public:
    explicit AppSession(Runner& runner) : runner_(runner) {}

    BrillexApp& app() {
        if (!app_) app_ = std::make_unique<BrillexApp>(AppDelegate::Platform::installed(), AppModels::shared());
        return *app_;
    }
    AppDelegate& delegate() { return app().appDelegate; }
    SimApplication& application() { return runner_.sim().application; }

    void expectRunning() {
        if (!application().isLaunched()) throw CommandError("the application has not been launched");
        if (application().isTerminated()) throw CommandError("the application has quit");
    }

private:
    Runner& runner_;
    std::unique_ptr<BrillexApp> app_;
};

} // namespace

void addAppCommands(Runner& runner) {
    auto session = std::make_shared<AppSession>(runner);

    runner.add("status-item", [&runner, session](const Command& command) {
        command.expectWords(2);
        if (command.text(1) != "no-button") throw CommandError("status-item takes no-button");
        if (session->application().isLaunched()) throw CommandError("the status item exists already");
        runner.sim().statusBar.setGivesButton(false);
    });
    runner.add("launch", [session](const Command& command) {
        command.expectWords(1);
        if (session->application().isLaunched()) throw CommandError("the application has been launched already");
        session->app().run();
    });
    runner.add("quit", [session](const Command& command) {
        command.expectWords(1);
        session->expectRunning();
        session->application().terminate();
    });

    runner.add("click status-item", [&runner, session](const Command& command) {
        command.expectWords(2);
        session->expectRunning();
        const auto* item = runner.sim().statusBar.item();
        if (!item) throw CommandError("there is no status item");
        if (!runner.sim().statusBar.click()) throw CommandError("the status item has no button");
    });
    // A mouse-down in another application; the left button unless "right".
    runner.add("click elsewhere", [&runner](const Command& command) {
        if (command.count() > 3) command.expectWords(3);
        std::uint64_t kind = EventMask::leftMouseDown;
        if (command.count() == 3) {
            if (command.text(2) == "right") kind = EventMask::rightMouseDown;
            else if (command.text(2) != "left") throw CommandError("click elsewhere takes left or right");
        }
        runner.sim().eventMonitor.eventElsewhere(kind);
    });

    runner.add("show popover", [&runner](const Command& command) {
        command.expectWords(2);
        const auto* popover = runner.sim().popovers.popover();
        runner.answer("popover", {{"shown", formatBool(popover && popover->shown)}});
    });
    runner.add("show app", [&runner, session](const Command& command) {
        command.expectWords(2);
        const auto& policy = session->delegate().policy();
        const auto start = policy.boostStartTime();
        runner.answer("app", {{"keyboard-monitoring", formatBool(policy.keyboardMonitoringEnabled())},
                              {"boost-start", start ? formatNumber(*start) : "none"},
                              {"was-boosted", formatBool(policy.wasBoostEnabled())},
                              {"prompts", std::to_string(runner.sim().accessibility.promptCount())}});
    });
    runner.add("show polling", [&runner, session](const Command& command) {
        command.expectWords(2);
        runner.answer("polling", {{"system-brightness", formatBool(SystemBrightness::shared().observerTimer.isValid())},
                                  {"battery", formatBool(BatteryMonitor::shared().timer.isValid())},
                                  {"auto-off", formatBool(session->delegate().policy().autoOffTimer().isValid())}});
    });
}

} // namespace brillex::sim
