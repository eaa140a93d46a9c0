// Writes a PNG of every popover state a user meets (each screen, a display
// below full brightness, an unsupported display, the battery rule, the
// keyboard section, the settings sliders, the accessibility prompt, a feature
// on) in every language and in light and dark appearance, of the OSD in both
// presentations and of the simulator window, for a person to look at.
//
//   brillex-screenshots OUTDIR        (QT_QPA_PLATFORM=offscreen)
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QTest>

#include <cstdio>
#include <functional>

#include "base/Port.h"
#include "boost/BrightnessManager.h"
#include "controls/DisplayFeatures.h"
#include "controls/SystemBrightness.h"
#include "platform/sim/SimComputer.h"
#include "power/BatteryMonitor.h"
#include "settings/AppSettings.h"
#include "settings/Localization.h"
#include "ui/osd/BrightnessOSDWidget.h"
#include "ui/screens/ContentView.h"
#include "ui/shell/ManualLoopDriver.h"
#include "ui/shell/QtMainLoop.h"
#include "ui/osd/QtOsdPanel.h"
#include "ui/simulator/SimulatorWindow.h"
#include "ui/kit/Theme.h"
#include "ui/screens/ViewEnvironment.h"

namespace {

using namespace brillex;

QDir output;
int written = 0;
// The simulated computer's queue: its store and clients announce there.
ManualLoop* simulatedQueue = nullptr;

void save(const QImage& image, const QString& name) {
    const QString path = output.filePath(name + ".png");
    if (!image.save(path)) {
        std::fprintf(stderr, "brillex-screenshots: cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
    ++written;
}

// Lets queued announcements, redraws and running animations finish. Qt's
// wait never blocks, so the simulated queue is run here rather than left to
// its driver.
void settle(const std::function<bool()>& done = [] { return true; }) {
    QElapsedTimer clock;
    clock.start();
    do {
        for (int turn = 0; turn < 3; ++turn) {
            if (simulatedQueue) simulatedQueue->runPending();
            QTest::qWait(10);
        }
    } while (!done() && clock.elapsed() < 3000);
}

// The OSD on a desktop-grey backdrop, as it would sit over other windows.
void shootOsd(const BrightnessOSDView& view, const QString& name) {
    BrightnessOSDWidget osd(view);
    osd.resize(osd.sizeHint());
    osd.show();
    settle([&] { return !osd.isEntering(); });
    const QImage content = osd.grab().toImage();
    QImage image(content.size() + QSize(40, 40), QImage::Format_ARGB32);
    image.fill(QColor(96, 110, 128));
    QPainter painter(&image);
    painter.drawImage(20, 20, content);
    painter.end();
    save(image, name);
}

void addScreen(sim::SimComputer& computer, DisplayId id, const char* name, double potential, bool builtIn, Rect frame) {
    Screen screen;
    screen.displayId = id;
    screen.name = name;
    screen.maxPotentialEDR = screen.maxReferenceEDR = potential;
    screen.frame = frame;
    screen.visibleFrame = Rect{frame.x, frame.y, frame.width, frame.height - 37};
    computer.screens.add(screen, builtIn);
}

void boostBuiltInHalfway(BrightnessManager& manager) {
    DisplayBoostState* builtIn = manager.builtInDisplayState();
    builtIn->setBoostEnabled(true);
    builtIn->setBoostLevel(0.5);
}

// A laptop with an extended-range panel and a Pro Display XDR beside it,
// running on its battery; the built-in display boosted half-way.
void furnish(sim::SimComputer& computer) {
    addScreen(computer, 1, "Built-in Liquid Retina XDR Display", 16.0, true, Rect{0, 0, 1512, 982});
    addScreen(computer, 2, "Pro Display XDR", 3.2, false, Rect{1512, 0, 2560, 1440});
    computer.powerSources.list = std::vector<PowerSources::Source>{PowerSourceDescription{
        {kPowerSourceCurrentCapacityKey, std::int64_t{64}},
        {kPowerSourceMaxCapacityKey, std::int64_t{100}},
        {kPowerSourceStateKey, std::string(kPowerSourceBatteryPowerValue)},
        {kPowerSourceIsChargingKey, false},
    }};
}

// A state of the popover a user meets: the screen it is on and what the
// world and the settings look like. `enter` makes the state from the
// furnished world, `leave` puts that world back.
struct Scene {
    using Change = void (*)(sim::SimComputer&, const ViewEnvironment&);
    const char* name;
    AppScreen screen;
    Change enter = [](sim::SimComputer&, const ViewEnvironment&) {};
    Change leave = [](sim::SimComputer&, const ViewEnvironment&) {};
};

void setBacklight(sim::SimComputer& computer, const ViewEnvironment& environment, DisplayId id, float value) {
    computer.displayServices.setBrightness(id, value);
    environment.systemBrightness.refreshBrightness();
}

void screensChanged(sim::SimComputer& computer, const ViewEnvironment& environment) {
    computer.screens.notifyScreenChange();
    environment.systemBrightness.refreshDisplays();
    environment.systemBrightness.refreshBrightness();
}

const Scene scenes[] = {
    {"main", AppScreen::main},
    {"main-feature-on", AppScreen::main,
     [](sim::SimComputer&, const ViewEnvironment& environment) { environment.displayFeatures.setNightShift(true); },
     [](sim::SimComputer&, const ViewEnvironment& environment) { environment.displayFeatures.setNightShift(false); }},
    // The Pro Display below full system brightness: the warning and a disabled switch.
    {"main-below-full-brightness", AppScreen::main,
     [](sim::SimComputer& computer, const ViewEnvironment& environment) { setBacklight(computer, environment, 2, 0.7f); },
     [](sim::SimComputer& computer, const ViewEnvironment& environment) { setBacklight(computer, environment, 2, 1.0f); }},
    // An HDR monitor whose headroom is too small to boost.
    {"main-not-supported", AppScreen::main,
     [](sim::SimComputer& computer, const ViewEnvironment& environment) {
         addScreen(computer, 3, "Studio Monitor HDR", 2.0, false, Rect{4072, 0, 2560, 1440});
         screensChanged(computer, environment);
     },
     [](sim::SimComputer& computer, const ViewEnvironment& environment) {
         computer.screens.remove(3);
         screensChanged(computer, environment);
     }},
    // On battery with "only while charging": the boost went off and the switches rest.
    {"main-battery-rule", AppScreen::main,
     [](sim::SimComputer&, const ViewEnvironment& environment) {
         environment.brightnessManager.disableAllBoosts();
         environment.appSettings.setOnlyWhileCharging(true);
     },
     [](sim::SimComputer&, const ViewEnvironment& environment) {
         environment.appSettings.setOnlyWhileCharging(false);
         boostBuiltInHalfway(environment.brightnessManager);
     }},
    {"main-keyboard", AppScreen::main,
     [](sim::SimComputer&, const ViewEnvironment& environment) {
         environment.appSettings.setKeyboardBacklightEnabled(true);
     },
     [](sim::SimComputer&, const ViewEnvironment& environment) {
         environment.appSettings.setKeyboardBacklightEnabled(false);
     }},
    {"settings", AppScreen::settings},
    {"settings-sliders", AppScreen::settings,
     [](sim::SimComputer&, const ViewEnvironment& environment) {
         environment.appSettings.setAutoOffLowBattery(true);
         environment.appSettings.setAutoOffTimer(true);
     },
     [](sim::SimComputer&, const ViewEnvironment& environment) {
         environment.appSettings.setAutoOffLowBattery(false);
         environment.appSettings.setAutoOffTimer(false);
     }},
    // Brightness keys on without accessibility trust.
    {"settings-accessibility-prompt", AppScreen::settings,
     [](sim::SimComputer& computer, const ViewEnvironment& environment) {
         computer.accessibility.setTrusted(false);
         environment.appSettings.setBrightnessKeyEnabled(true);
     },
     [](sim::SimComputer& computer, const ViewEnvironment& environment) {
         environment.appSettings.setBrightnessKeyEnabled(false);
         computer.accessibility.setTrusted(true);
     }},
    {"about", AppScreen::about},
};

// Every scene in every language, in the light and the dark appearance:
// popover-LANGUAGE-APPEARANCE-SCENE.png.
void shootPopover(sim::SimComputer& computer, const ViewEnvironment& environment) {
    const QPalette light = QApplication::palette();
    for (const bool dark : {false, true}) {
        // Colours are taken when the widgets are made: the palette comes first.
        QApplication::setPalette(dark ? Theme::darkPalette() : light);
        ContentView view(environment);
        view.show();
        for (const auto& language : Localization::supportedLanguages()) {
            environment.loc.setCurrentLanguage(std::string(language.code));
            for (const Scene& scene : scenes) {
                scene.enter(computer, environment);
                view.setCurrentScreen(scene.screen);
                settle();
                view.adjustSize();
                settle();
                save(view.grab().toImage(), QStringLiteral("popover-%1-%2-%3")
                                                .arg(QString::fromUtf8(language.code.data(), language.code.size()),
                                                     dark ? "dark" : "light", scene.name));
                scene.leave(computer, environment);
            }
        }
    }
    QApplication::setPalette(light);
    environment.loc.setCurrentLanguage("en");
}

void shootSimulator(sim::SimComputer& computer, BrightnessManager& manager) {
    SimulatorWindow window(computer, manager);
    window.show();
    settle();
    save(window.grab().toImage(), "simulator");
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: brillex-screenshots OUTDIR\n");
        return 2;
    }
    output = QDir(QString::fromLocal8Bit(argv[1]));
    if (!output.mkpath(".")) {
        std::fprintf(stderr, "brillex-screenshots: cannot make %s\n", argv[1]);
        return 1;
    }

    // The simulated computer with its in-memory store; the models on Qt's loop.
    sim::SimComputer computer;
    furnish(computer);
    computer.install();
    QtMainLoop loop;
    Port<MainLoop>::install(&loop);
    ManualLoopDriver simulatedLoop(computer.loop);
    simulatedQueue = &computer.loop;
    QtOsdPanelService osdPanels;
    Port<OsdPanelService>::install(&osdPanels);

    const ViewEnvironment environment = ViewEnvironment::shared();
    BatteryMonitor::shared().startMonitoring();
    boostBuiltInHalfway(environment.brightnessManager);

    shootPopover(computer, environment);
    shootOsd({0.75, false}, "osd-plain");
    shootOsd({0.5, true}, "osd-xdr");
    shootSimulator(computer, environment.brightnessManager);

    environment.brightnessManager.disableAllBoosts();
    std::printf("%d screenshots in %s\n", written, qPrintable(output.absolutePath()));
    return 0;
}
