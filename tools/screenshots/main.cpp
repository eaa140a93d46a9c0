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

#include "boost/BrightnessManager.h"
#include "boost/DisplayManager.h"
#include "platform/sim/SimComputer.h"
#include "ui/BrightnessOSDWidget.h"
#include "ui/SimulatorWindow.h"

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

void shootSimulator() {
    sim::SimComputer computer;
    addScreen(computer, 1, "Built-in Retina Display", 16.0, true, Rect{0, 0, 1512, 982});
    DisplayManager displays(computer.screens);
    BrightnessManager manager(displays, computer.screens, computer.gamma, computer.edrOutput, computer.loop);
    SimulatorWindow window(computer, manager);
    window.attachExternal(SimulatorWindow::externalModels[0]);
    window.setPowerCable(false);
    window.setCharge(64);
    manager.state(1)->setBoostEnabled(true);
    manager.state(1)->setBoostLevel(0.5);
    computer.loop.runPending();
    window.show();
    settle();
    save(window.grab().toImage(), "simulator");
    manager.disableAllBoosts();
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
    shootOsd({0.75, false}, "osd-plain");
    shootOsd({0.5, true}, "osd-xdr");
    shootSimulator();
    std::printf("%d screenshots in %s\n", written, qPrintable(output.absolutePath()));
    return 0;
}
