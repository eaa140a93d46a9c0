// Writes a PNG of every popover screen in every language, of the OSD in both
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
#include "platform/sim/SimComputer.h"
#include "power/BatteryMonitor.h"
#include "settings/Localization.h"
#include "ui/BrightnessOSDWidget.h"
#include "ui/ContentView.h"
#include "ui/ManualLoopDriver.h"
#include "ui/QtMainLoop.h"
#include "ui/QtOsdPanel.h"
#include "ui/SimulatorWindow.h"
#include "ui/ViewEnvironment.h"

namespace {

using namespace brillex;

QDir output;
int written = 0;

void save(const QImage& image, const QString& name) {
    const QString path = output.filePath(name + ".png");
    if (!image.save(path)) {
        std::fprintf(stderr, "brillex-screenshots: cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
    ++written;
}

// Lets queued redraws and running animations finish.
void settle(const std::function<bool()>& done = [] { return true; }) {
    QElapsedTimer clock;
    clock.start();
    do {
        QTest::qWait(20);
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

const char* screenName(AppScreen screen) {
    switch (screen) {
    case AppScreen::main: return "main";
    case AppScreen::settings: return "settings";
    case AppScreen::about: return "about";
    }
    return "screen";
}

// Every popover screen in every language, as the popover shows it.
void shootPopover(const ViewEnvironment& environment) {
    ContentView view(environment);
    view.show();
    for (const auto& language : Localization::supportedLanguages()) {
        environment.loc.setCurrentLanguage(std::string(language.code));
        for (AppScreen screen : {AppScreen::main, AppScreen::settings, AppScreen::about}) {
            view.setCurrentScreen(screen);
            settle();
            view.adjustSize();
            settle();
            save(view.grab().toImage(),
                 QStringLiteral("popover-%1-%2").arg(QString::fromUtf8(language.code.data(), language.code.size()),
                                                     screenName(screen)));
        }
    }
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
    QtOsdPanelService osdPanels;
    Port<OsdPanelService>::install(&osdPanels);

    const ViewEnvironment environment = ViewEnvironment::shared();
    BatteryMonitor::shared().startMonitoring();
    DisplayBoostState* builtIn = environment.brightnessManager.builtInDisplayState();
    builtIn->setBoostEnabled(true);
    builtIn->setBoostLevel(0.5);

    shootPopover(environment);
    shootOsd({0.75, false}, "osd-plain");
    shootOsd({0.5, true}, "osd-xdr");
    shootSimulator(computer, environment.brightnessManager);

    environment.brightnessManager.disableAllBoosts();
    std::printf("%d screenshots in %s\n", written, qPrintable(output.absolutePath()));
    return 0;
}
