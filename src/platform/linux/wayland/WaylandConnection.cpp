#include "platform/linux/wayland/WaylandConnection.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <wayland-client.h>

#include "base/Log.h"
#include "wlr-gamma-control-unstable-v1-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"

namespace brillex::wayland {

struct OutputEvents {
    static WaylandOutput& of(void* data) { return *static_cast<WaylandOutput*>(data); }

    static void geometry(void* data, wl_output*, int32_t x, int32_t y, int32_t, int32_t, int32_t, const char* make,
                         const char* model, int32_t) {
        WaylandOutput& output = of(data);
        if (!output.xdgOutput) {
            output.x = x;
            output.y = y;
        }
        output.make = make ? make : "";
        output.model = model ? model : "";
    }
    static void mode(void* data, wl_output*, uint32_t flags, int32_t width, int32_t height, int32_t) {
        if (!(flags & WL_OUTPUT_MODE_CURRENT)) return;
        of(data).modeWidth = width;
        of(data).modeHeight = height;
    }
    static void done(void* data, wl_output*) {
        WaylandOutput& output = of(data);
        if (!output.xdgOutput) {
            output.width = output.modeWidth;
            output.height = output.modeHeight;
        }
        output.connection->changed();
    }
    static void scale(void*, wl_output*, int32_t) {}
    static void name(void* data, wl_output*, const char* name) { of(data).name = name ? name : ""; }
    static void description(void*, wl_output*, const char*) {}

    static void xdgPosition(void* data, zxdg_output_v1*, int32_t x, int32_t y) {
        of(data).x = x;
        of(data).y = y;
    }
    static void xdgSize(void* data, zxdg_output_v1*, int32_t width, int32_t height) {
        of(data).width = width;
        of(data).height = height;
    }
    static void xdgDone(void*, zxdg_output_v1*) {}
    static void xdgName(void* data, zxdg_output_v1*, const char* name) { of(data).name = name ? name : ""; }
    static void xdgDescription(void*, zxdg_output_v1*, const char*) {}
};

namespace {

const wl_output_listener outputListener{OutputEvents::geometry, OutputEvents::mode,        OutputEvents::done,
                                        OutputEvents::scale,    OutputEvents::name,        OutputEvents::description};
const zxdg_output_v1_listener xdgOutputListener{OutputEvents::xdgPosition, OutputEvents::xdgSize,
                                                OutputEvents::xdgDone, OutputEvents::xdgName,
                                                OutputEvents::xdgDescription};

} // namespace

struct RegistryEvents {
    static void global(void* data, wl_registry*, uint32_t name, const char* interface, uint32_t version) {
        static_cast<WaylandConnection*>(data)->addGlobal(name, interface, version);
    }
    static void globalRemove(void* data, wl_registry*, uint32_t name) {
        static_cast<WaylandConnection*>(data)->removeGlobal(name);
    }
};

namespace {
const wl_registry_listener registryListener{RegistryEvents::global, RegistryEvents::globalRemove};

// The compositor at $WAYLAND_DISPLAY, or why it cannot be reached.
std::variant<wl_display*, std::string> connectDisplay() {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    if (!name || !*name) return std::string("no Wayland compositor (WAYLAND_DISPLAY is not set)");
    wl_display* display = wl_display_connect(nullptr);
    if (!display)
        return "the Wayland compositor at WAYLAND_DISPLAY=" + std::string(name) + " cannot be reached (" +
               std::strerror(errno) + ")";
    return display;
}

// When the output goes, and when the connection ends.
void destroyProxies(WaylandOutput& output) {
    if (output.xdgOutput) zxdg_output_v1_destroy(output.xdgOutput);
    wl_output_destroy(output.output);
}

} // namespace

std::optional<std::string> WaylandConnection::reach() {
    auto connected = connectDisplay();
    if (auto* missing = std::get_if<std::string>(&connected)) return std::move(*missing);
    wl_display_disconnect(std::get<wl_display*>(connected));
    return std::nullopt;
}

WaylandConnection::Opening WaylandConnection::open() {
    auto connected = connectDisplay();
    if (auto* missing = std::get_if<std::string>(&connected)) return std::move(*missing);
    const std::string name = std::getenv("WAYLAND_DISPLAY");
    std::unique_ptr<WaylandConnection> connection(new WaylandConnection(std::get<wl_display*>(connected)));
    // The globals, then each output's description.
    if (!connection->roundtrip() || !connection->roundtrip())
        return "the Wayland compositor at WAYLAND_DISPLAY=" + name + " closed the connection";
    return connection;
}

WaylandConnection::WaylandConnection(wl_display* display) : display_(display) {
    registry_ = wl_display_get_registry(display_);
    wl_registry_add_listener(registry_, &registryListener, this);
}

WaylandConnection::~WaylandConnection() {
    for (auto& output : outputs_) destroyProxies(*output);
    if (gammaManager_) zwlr_gamma_control_manager_v1_destroy(gammaManager_);
    if (xdgOutputs_) zxdg_output_manager_v1_destroy(xdgOutputs_);
    wl_registry_destroy(registry_);
    wl_display_disconnect(display_);
}

void WaylandConnection::addGlobal(std::uint32_t name, const char* interface, std::uint32_t version) {
    if (std::strcmp(interface, wl_output_interface.name) == 0) {
        auto output = std::make_unique<WaylandOutput>();
        output->id = name;
        output->output = static_cast<wl_output*>(
            wl_registry_bind(registry_, name, &wl_output_interface, std::min<std::uint32_t>(version, 4)));
        output->connection = this;
        wl_output_add_listener(output->output, &outputListener, output.get());
        outputs_.push_back(std::move(output));
        describe(*outputs_.back());
    } else if (std::strcmp(interface, zxdg_output_manager_v1_interface.name) == 0) {
        xdgOutputs_ = static_cast<zxdg_output_manager_v1*>(
            wl_registry_bind(registry_, name, &zxdg_output_manager_v1_interface, std::min<std::uint32_t>(version, 3)));
        for (auto& output : outputs_) describe(*output);
    } else if (std::strcmp(interface, zwlr_gamma_control_manager_v1_interface.name) == 0) {
        gammaManager_ = static_cast<zwlr_gamma_control_manager_v1*>(
            wl_registry_bind(registry_, name, &zwlr_gamma_control_manager_v1_interface, 1));
    }
}

void WaylandConnection::describe(WaylandOutput& output) {
    if (!xdgOutputs_ || output.xdgOutput) return;
    output.xdgOutput = zxdg_output_manager_v1_get_xdg_output(xdgOutputs_, output.output);
    zxdg_output_v1_add_listener(output.xdgOutput, &xdgOutputListener, &output);
}

void WaylandConnection::removeGlobal(std::uint32_t name) {
    const auto gone = std::find_if(outputs_.begin(), outputs_.end(), [&](const auto& o) { return o->id == name; });
    if (gone == outputs_.end()) return;
    destroyProxies(**gone);
    outputs_.erase(gone);
    changed();
}

void WaylandConnection::changed() {
    if (outputsChanged_) outputsChanged_();
}

const WaylandOutput* WaylandConnection::output(std::uint32_t id) const {
    for (const auto& output : outputs_) {
        if (output->id == id) return output.get();
    }
    return nullptr;
}

int WaylandConnection::fileDescriptor() const { return wl_display_get_fd(display_); }

bool WaylandConnection::isBroken() const { return wl_display_get_error(display_) != 0; }

bool WaylandConnection::roundtrip() {
    if (wl_display_roundtrip(display_) >= 0) return true;
    if (!reportedBreak_) {
        reportedBreak_ = true;
        logLine("Wayland: the connection to the compositor broke (" + std::string(std::strerror(wl_display_get_error(display_))) +
                "); no display can be boosted until the program starts again");
    }
    return false;
}

void WaylandConnection::readEvents() {
    if (isBroken()) return;
    while (wl_display_prepare_read(display_) != 0) wl_display_dispatch_pending(display_);
    wl_display_flush(display_);
    pollfd ready{fileDescriptor(), POLLIN, 0};
    if (poll(&ready, 1, 0) > 0) wl_display_read_events(display_);
    else wl_display_cancel_read(display_);
    wl_display_dispatch_pending(display_);
}

} // namespace brillex::wayland
