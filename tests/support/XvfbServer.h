#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/ChildProcess.h"

namespace brillex::test {

// A private X server for one test program, on a display number the server
// picks itself (so test programs and CI runs never collide); stopped when
// destroyed.
//
// Preferred is the real X server with the dummy video driver: its RandR layer
// keeps gamma ramps exactly as written and it has sixteen outputs that can be
// connected and disconnected (addOutput/removeOutput), so hot-plugs are real.
// Xvfb is the fallback where that driver is missing; its ramps are only
// approximately kept (entries read back as leftovers of freed memory), so a
// bit-exact test on it proves little.
class XvfbServer {
public:
    explicit XvfbServer(const std::string& screenGeometry = "1280x800x24") {
        const std::string size = screenGeometry.substr(0, screenGeometry.rfind('x'));
        dummy_ = access(kDummyDriver, R_OK) == 0 && start(true, size) &&
                 run("xrandr --output DUMMY0 --mode " + modeName(size) + " >/dev/null 2>&1") == 0;
        if (!dummy_) {
            stop();
            start(false, screenGeometry);
        }
        output_ = dummy_ ? "DUMMY0" : "screen";
    }
    ~XvfbServer() { stop(); }
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // Empty when no server could be started.
    const std::string& display() const { return display_; }
    bool running() const { return !display_.empty(); }
    // The output connected at start, the primary one.
    const std::string& output() const { return output_; }
    bool hasSpareOutputs() const { return dummy_; }

    // Connects spare output DUMMY`n` (1..15) at `size` ("1024x768") right of
    // the others, as plugging in a monitor would; its name, or empty.
    std::string addOutput(int n, const std::string& size) const {
        const std::string name = "DUMMY" + std::to_string(n);
        if (!dummy_ || run("xrandr --newmode " + modeName(size) + " " + modeline(size) + " >/dev/null 2>&1; xrandr --addmode " +
                           name + " " + modeName(size) + " && xrandr --output " + name + " --mode " + modeName(size) +
                           " --right-of " + output_ + " >/dev/null 2>&1") != 0)
            return {};
        return name;
    }
    // Unplugs an output connected with addOutput.
    bool removeOutput(const std::string& name) const { return run("xrandr --output " + name + " --off >/dev/null 2>&1") == 0; }

    // Runs a shell command against this server (every command of a list); its exit status.
    int run(const std::string& command) const {
        return std::system(("export DISPLAY=" + display_ + "; " + command).c_str());
    }

private:
    static constexpr const char* kDummyDriver = "/usr/lib/xorg/modules/drivers/dummy_drv.so";

    static std::string modeName(const std::string& size) { return size; }
    // A mode of `size` at 60 Hz with minimal blanking: the dummy driver shows anything.
    static std::string modeline(const std::string& size) {
        const int width = std::stoi(size.substr(0, size.find('x')));
        const int height = std::stoi(size.substr(size.find('x') + 1));
        const double clock = (width + 48) * (height + 3) * 60.0 / 1e6;
        char line[160];
        std::snprintf(line, sizeof line, "%.2f %d %d %d %d %d %d %d %d", clock, width, width + 16, width + 32, width + 48,
                      height, height + 1, height + 2, height + 3);
        return line;
    }

    bool start(bool dummy, const std::string& geometry) {
        std::string config;
        if (dummy) {
            char folder[] = "/tmp/brillex-xorg-XXXXXX";
            if (!mkdtemp(folder)) return false;
            folder_ = folder;
            config = folder_ + "/xorg.conf";
            std::ofstream(config) << "Section \"ServerFlags\"\n  Option \"AutoAddGPU\" \"false\"\nEndSection\n"
                                     "Section \"Device\"\n  Identifier \"d\"\n  Driver \"dummy\"\n  VideoRam 256000\nEndSection\n"
                                     "Section \"Monitor\"\n  Identifier \"m\"\n  HorizSync 5.0-1000.0\n  VertRefresh 5.0-200.0\n"
                                     "  Modeline \""
                                  << modeName(geometry) << "\" " << modeline(geometry)
                                  << "\nEndSection\n"
                                     "Section \"Screen\"\n  Identifier \"s\"\n  Device \"d\"\n  Monitor \"m\"\n  DefaultDepth 24\n"
                                     "  SubSection \"Display\"\n    Depth 24\n    Virtual 8192 4096\n    Modes \""
                                  << modeName(geometry) << "\"\n  EndSubSection\nEndSection\n";
        }
        std::string number;
        server_ = ChildProcess::startAndRead(
            [&](int displayFd) {
                const std::string fd = std::to_string(displayFd);
                silence({STDOUT_FILENO, STDERR_FILENO});
                if (dummy) {
                    const std::string log = folder_ + "/xorg.log";
                    execlp("Xorg", "Xorg", "-displayfd", fd.c_str(), "-config", config.c_str(), "-logfile",
                           log.c_str(), "-nolisten", "tcp", "-noreset", "-novtswitch", "-sharevts",
                           static_cast<char*>(nullptr));
                } else {
                    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", geometry.c_str(), "-nolisten",
                           "tcp", "-noreset", static_cast<char*>(nullptr));
                }
            },
            number);
        if (number.empty()) {
            stop();
            return false;
        }
        display_ = ":" + number;
        return true;
    }

    void stop() {
        server_.stop();
        display_.clear();
        std::error_code ignored;
        if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
        folder_.clear();
    }

    ChildProcess server_;
    bool dummy_ = false;
    std::string display_;
    std::string output_;
    std::string folder_;
};

} // namespace brillex::test
