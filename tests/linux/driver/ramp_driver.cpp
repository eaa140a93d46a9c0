// Boosts the first screen of $DISPLAY through the X11 platform's transfer
// tables and the core's gamma functions, guarded like the program, so that
// tests can kill it at any moment.
//   ramp_driver cycle            boost, level moves and switch-off, forever
//   ramp_driver recover          only what every start does first
//   ramp_driver soak MOVES TOGGLES  prints resource samples, then exits

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#ifdef BRILLEX_HAVE_XRES
#include <X11/extensions/XRes.h>
#endif

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <random>
#include <string>

#include "boost/GammaTable.h"
#include "platform/linux/x11/X11Connection.h"
#include "platform/linux/x11/X11RampGuard.h"
#include "platform/linux/x11/X11TransferTables.h"
#include "platform/linux/x11/XCrtcRamps.h"

using namespace brillex;
using namespace brillex::x11;

namespace {

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

// What a display's boost state does to its transfer table.
class Boost {
public:
    Boost(DisplayId display, TransferTables& tables) : display_(display), tables_(tables) {}

    void on() { saved_ = captureGammaTable(display_, tables_); }
    void level(double level) {
        if (saved_) applyGammaBoost(display_, saved_->red, saved_->green, saved_->blue, 1.0f + 2.2f * float(level), tables_);
    }
    void off() {
        if (saved_) restoreGammaTable(display_, saved_->red, saved_->green, saved_->blue, tables_);
        saved_.reset();
    }

private:
    DisplayId display_;
    TransferTables& tables_;
    std::optional<GammaTable> saved_;
};

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    auto opened = X11Connection::open();
    auto* connection = std::get_if<std::unique_ptr<X11Connection>>(&opened);
    if (!connection || (mode != "cycle" && mode != "recover" && !(mode == "soak" && argc == 4))) {
        std::cerr << "usage: ramp_driver cycle | recover | soak MOVES TOGGLES (on $DISPLAY)\n";
        return 2;
    }
    Display* display = (*connection)->display();
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display));
    if (!resources || resources->noutput == 0) return 1;
    const auto output = static_cast<DisplayId>(resources->outputs[0]);
    XRRFreeScreenResources(resources);

    // No event loop here: a guardian's death is noticed at the next hand-over.
    const auto guard = guardX11Ramps(**connection);
    XCrtcRamps ramps(**connection);
    X11TransferTables tables(ramps, guard.get());
    Boost boost(output, tables);
    std::cout << "ready" << std::endl;
    if (mode == "recover") return 0;
    // The gamma functions log every write; only the samples go to the test.
    FILE* samples = fdopen(dup(STDOUT_FILENO), "w");
    dup2(open("/dev/null", O_WRONLY), STDOUT_FILENO);

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
        std::fprintf(samples, "%s rss=%ld fds=%d xres=%ld\n", when, residentKilobytes(), openFiles(),
                     serverResources(display));
        std::fflush(samples);
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
    return 0;
}
