#pragma once

#include <gio/gio.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <cstdlib>
#include <string>
#include <thread>

#include "support/ChildProcess.h"
#include "support/Patience.h"
#include "support/PrivateBus.h"
#include "support/TemporaryFolder.h"
#include "support/XvfbServer.h"

namespace brillex::test {

// Mutter's test compositor (tests/linux/compositor) nested in a private X
// server, serving its display configuration on a private session bus; stopped
// when destroyed. While it runs, this process's session bus, runtime folder
// and WAYLAND_DISPLAY are its. `headless`: stock `mutter --headless` with one
// virtual monitor instead, which has no CRTC at all.
class MutterTestCompositor {
public:
    explicit MutterTestCompositor(bool headless = false) {
        if (!x_.running() || !bus_.running() || runtime_.path().empty()) {
            why_ = !x_.running() ? "no X server to nest Mutter in (Xvfb is not installed)" : "no private D-Bus daemon";
            return;
        }
        possible_ = true;
        setenv("DBUS_SESSION_BUS_ADDRESS", bus_.address().c_str(), 1);
        setenv("XDG_RUNTIME_DIR", runtime_.path().c_str(), 1);
        mutter_ = ChildProcess::start([&] {
            setenv("DISPLAY", x_.display().c_str(), 1);
            setenv("GSETTINGS_BACKEND", "memory", 1);
            unsetenv("WAYLAND_DISPLAY");
            const std::string log = runtime_.path() + "/mutter.log";
            if (!freopen(log.c_str(), "w", stdout) || dup2(fileno(stdout), STDERR_FILENO) < 0) _exit(126);
            if (headless)
                execlp("mutter", "mutter", "--headless", "--no-x11", "--virtual-monitor", "1280x720",
                       "--wayland-display=mutter-test-display", static_cast<char*>(nullptr));
            else
                execl(MUTTER_TEST_COMPOSITOR, MUTTER_TEST_COMPOSITOR, static_cast<char*>(nullptr));
        });
        connection_ = g_dbus_connection_new_for_address_sync(
            bus_.address().c_str(),
            static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                              G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
            nullptr, nullptr, nullptr);
        // Mutter takes its name about half a second after it starts; far longer on a loaded machine.
        bool ended = false;
        if (!eventually([&] { return serving() || (ended = mutter_.ended()); })) {
            why_ = "the Mutter test compositor did not take its bus name in time; its log:\n" + log();
            return;
        }
        if (ended) {
            why_ = "the Mutter test compositor ended at start; its log:\n" + log();
            return;
        }
        setenv("WAYLAND_DISPLAY", "mutter-test-display", 1);
    }
    ~MutterTestCompositor() {
        if (connection_) g_object_unref(connection_);
        mutter_.stop();
        unsetenv("WAYLAND_DISPLAY");
    }
    MutterTestCompositor(const MutterTestCompositor&) = delete;
    MutterTestCompositor& operator=(const MutterTestCompositor&) = delete;

    // Whether this machine has what the compositor needs (an X server, a bus daemon).
    bool possible() const { return possible_; }
    bool running() const { return why_.empty(); }
    // Why it does not run.
    const std::string& why() const { return why_; }
    const std::string& busAddress() const { return bus_.address(); }
    const std::string& runtimeFolder() const { return runtime_.path(); }

    // Mutter's reply to a DisplayConfig call (floating-free, to be unreffed), or null.
    GVariant* call(const char* method, GVariant* parameters, GError** error = nullptr) const {
        return g_dbus_connection_call_sync(connection_, "org.gnome.Mutter.DisplayConfig",
                                           "/org/gnome/Mutter/DisplayConfig", "org.gnome.Mutter.DisplayConfig", method,
                                           parameters, nullptr, G_DBUS_CALL_FLAGS_NONE, 10000, nullptr, error);
    }
    std::uint32_t serial() const {
        GVariant* reply = call("GetResources", nullptr);
        std::uint32_t serial = 0;
        if (reply) {
            g_variant_get_child(reply, 0, "u", &serial);
            g_variant_unref(reply);
        }
        return serial;
    }
    // CRTC 0's ramp: red, green, blue one after the other.
    std::vector<std::uint16_t> ramp() const {
        std::vector<std::uint16_t> all;
        GVariant* reply = call("GetCrtcGamma", g_variant_new("(uu)", serial(), 0u));
        if (!reply) return all;
        for (int channel = 0; channel < 3; ++channel) {
            GVariant* values = g_variant_get_child_value(reply, channel);
            gsize count = 0;
            const auto* data = static_cast<const std::uint16_t*>(g_variant_get_fixed_array(values, &count, 2));
            all.insert(all.end(), data, data + count);
            g_variant_unref(values);
        }
        g_variant_unref(reply);
        return all;
    }
    // Sets CRTC 0's ramp as Mutter itself would (Night Light, a profile).
    bool setRamp(const std::vector<std::uint16_t>& all) const {
        const gsize size = all.size() / 3;
        auto part = [&](int channel) {
            return g_variant_new_fixed_array(G_VARIANT_TYPE_UINT16, all.data() + channel * size, size, 2);
        };
        GVariant* reply = call("SetCrtcGamma", g_variant_new("(uu@aq@aq@aq)", serial(), 0u, part(0), part(1), part(2)));
        if (reply) g_variant_unref(reply);
        return reply != nullptr;
    }
    // Mutter reads its monitors again, as after a hotplug: a new serial and
    // MonitorsChanged. Whether the serial changed.
    bool hotplug() const {
        const std::uint32_t before = serial();
        mutter_.signal(SIGUSR1);
        return eventually([&] { return serial() != before; });
    }

private:
    std::string log() const {
        std::ifstream in(runtime_.path() + "/mutter.log");
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        return text.size() > 2000 ? text.substr(text.size() - 2000) : text;
    }
    bool serving() const {
        GVariant* reply = g_dbus_connection_call_sync(connection_, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                                                      "org.freedesktop.DBus", "NameHasOwner",
                                                      g_variant_new("(s)", "org.gnome.Mutter.DisplayConfig"),
                                                      G_VARIANT_TYPE("(b)"), G_DBUS_CALL_FLAGS_NONE, 5000, nullptr,
                                                      nullptr);
        gboolean owned = FALSE;
        if (reply) {
            g_variant_get(reply, "(b)", &owned);
            g_variant_unref(reply);
        }
        return owned;
    }

    XvfbServer x_;
    PrivateBus bus_;
    TemporaryFolder runtime_;
    ChildProcess mutter_;
    GDBusConnection* connection_ = nullptr;
    std::string why_;
    bool possible_ = false;
};

} // namespace brillex::test
