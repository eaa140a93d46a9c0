// Boosts the first CRTC of $DISPLAY the way the X11 platform does (native
// ramp kept, then boosted ramps, then the native ramp back), guarded like
// the program, so that tests can kill it at any moment.
//   ramp_driver cycle            boost, level moves and switch-off, forever
//   ramp_driver recover          only what every start does first
//   ramp_driver soak MOVES TOGGLES  prints resource samples, then exits

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#ifdef BRILLEX_HAVE_XRES
#include <X11/extensions/XRes.h>
#endif

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <random>
#include <string>

#include "platform/linux/CrtcRamp.h"
#include "platform/linux/RampGuardian.h"
#include "platform/linux/SavedRampGuard.h"

using namespace brillex::x11;

namespace {

CrtcRamp boosted(const CrtcRamp& native, double factor) {
    CrtcRamp ramp = native;
    for (auto* channel : {&ramp.red, &ramp.green, &ramp.blue})
        for (auto& v : *channel) v = static_cast<std::uint16_t>(std::min(65535.0, v * factor));
    return ramp;
}

long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    return -1;
}

int openFiles() {
    int count = 0;
    if (DIR* fds = opendir("/proc/self/fd")) {
        while (const dirent* item = readdir(fds)) count += item->d_name[0] != '.';
        closedir(fds);
    }
    return count - 1;  // the listing's own
}

// Windows, pixmaps and every other resource the server holds for all clients.
long serverResources(Display* display) {
#ifdef BRILLEX_HAVE_XRES
    int clientCount = 0;
    XResClient* clients = nullptr;
    if (!XResQueryClients(display, &clientCount, &clients)) return -1;
    long total = 0;
    for (int i = 0; i < clientCount; ++i) {
        int typeCount = 0;
        XResType* types = nullptr;
        if (!XResQueryClientResources(display, clients[i].resource_base, &typeCount, &types)) continue;
        for (int t = 0; t < typeCount; ++t) total += types[t].count;
        XFree(types);
    }
    XFree(clients);
    return total;
#else
    (void)display;
    return -1;
#endif
}

class Boost {
public:
    Boost(Display* display, CrtcId crtc, SavedRampGuard& guard) : display_(display), crtc_(crtc), guard_(guard) {}

    void on() {
        native_ = readCrtcRamp(display_, crtc_);
        if (native_) guard_.keepNative(crtc_, *native_);
    }
    void level(double level) {
        if (native_) writeCrtcRamp(display_, crtc_, boosted(*native_, 1.0 + 2.2 * level));
    }
    void off() {
        if (native_ && writeCrtcRamp(display_, crtc_, *native_)) guard_.nativeRestored(crtc_);
        native_.reset();
    }

private:
    Display* display_;
    CrtcId crtc_;
    SavedRampGuard& guard_;
    std::optional<CrtcRamp> native_;
};

} // namespace

int main(int argc, char** argv) {
    const auto guardian = RampGuardian::start();
    const std::string mode = argc > 1 ? argv[1] : "";
    Display* display = XOpenDisplay(nullptr);
    if (!display || (mode != "cycle" && mode != "recover" && !(mode == "soak" && argc == 4))) {
        std::cerr << "usage: ramp_driver cycle | recover | soak MOVES TOGGLES (on $DISPLAY)\n";
        return 2;
    }
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display));
    if (!resources || resources->ncrtc == 0) return 1;
    const CrtcId crtc = resources->crtcs[0];
    XRRFreeScreenResources(resources);

    SavedRampGuard guard(RampStore(RampStore::defaultDirectory()), DisplayString(display));
    guard.recoverAbandoned();
    std::cout << "ready" << std::endl;
    if (mode == "recover") return 0;
    Boost boost(display, crtc, guard);

    if (mode == "cycle") {
        std::mt19937 random(static_cast<unsigned>(getpid()));
        for (;;) {
            boost.on();
            const int moves = 1 + static_cast<int>(random() % 8);
            for (int i = 0; i < moves; ++i) {
                boost.level(std::uniform_real_distribution<double>(0.0, 1.0)(random));
                usleep(random() % 3000);
            }
            boost.level(0.0);
            boost.off();
            usleep(random() % 3000);
        }
    }

    const long moves = std::atol(argv[2]);
    const long toggles = std::max(1L, std::atol(argv[3]));
    const long movesPerToggle = std::max(1L, moves / toggles);
    const auto sample = [&](const char* when) {
        std::cout << when << " rss=" << residentKilobytes() << " fds=" << openFiles()
                  << " xres=" << serverResources(display) << std::endl;
    };
    long done = 0;
    for (long t = 0; t < toggles; ++t) {
        boost.on();
        for (long m = 0; m < movesPerToggle; ++m, ++done) {
            boost.level(static_cast<double>(m % 100) / 100.0);
            if (done == 1000) sample("first");
        }
        boost.off();
    }
    sample("last");
    XCloseDisplay(display);
    return 0;
}
