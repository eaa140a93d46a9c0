#include "platform/linux/wayland/WlrGammaRamps.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstring>

#include <wayland-client.h>

#include "base/Log.h"
#include "wlr-gamma-control-unstable-v1-client-protocol.h"

namespace brillex::wayland {
namespace {

void gammaSize(void* data, zwlr_gamma_control_v1*, uint32_t size) {
    auto& control = *static_cast<WlrGammaRamps::Control*>(data);
    control.size = size;
    control.answered = true;
}

void failed(void* data, zwlr_gamma_control_v1*) {
    auto& control = *static_cast<WlrGammaRamps::Control*>(data);
    control.failed = true;
    control.answered = true;
}

const zwlr_gamma_control_v1_listener controlListener{gammaSize, failed};

// A file holding the three channels one after the other, as set_gamma reads them.
int rampFile(const x11::CrtcRamp& ramp) {
    const int fd = memfd_create("brillex-gamma", MFD_CLOEXEC);
    if (fd < 0) return -1;
    bool written = true;
    for (const auto* channel : {&ramp.red, &ramp.green, &ramp.blue}) {
        const auto bytes = static_cast<ssize_t>(channel->size() * sizeof(std::uint16_t));
        written = written && ::write(fd, channel->data(), bytes) == bytes;
    }
    if (!written || lseek(fd, 0, SEEK_SET) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

} // namespace

WlrGammaRamps::~WlrGammaRamps() {
    for (auto& [output, control] : controls_) {
        if (control.control) zwlr_gamma_control_v1_destroy(control.control);
    }
    connection_.roundtrip();
}

x11::CrtcRamp WlrGammaRamps::identity(std::size_t size) {
    x11::CrtcRamp ramp;
    ramp.red.resize(size);
    for (std::size_t i = 0; i < size; ++i)
        ramp.red[i] = static_cast<std::uint16_t>(size > 1 ? i * 65535 / (size - 1) : 65535);
    ramp.green = ramp.red;
    ramp.blue = ramp.red;
    return ramp;
}

std::optional<x11::CrtcId> WlrGammaRamps::crtcOf(std::uint32_t output) {
    if (!connection_.gammaManager() || !connection_.output(output)) return std::nullopt;
    return output;
}

void WlrGammaRamps::report(std::uint32_t output, const std::string& why) {
    if (!reported_.insert(output).second) return;
    const WaylandOutput* described = connection_.output(output);
    logLine("Wayland: output " + (described ? described->name : std::to_string(output)) + " " + why);
}

WlrGammaRamps::Control* WlrGammaRamps::control(std::uint32_t output) {
    if (auto held = controls_.find(output); held != controls_.end()) {
        if (!held->second.failed) return &held->second;
        // Another client took it: the compositor has already put its own ramp back.
        release(output);
    }
    const WaylandOutput* described = connection_.output(output);
    if (!described || !connection_.gammaManager()) return nullptr;
    Control& asked = controls_[output];
    asked.control = zwlr_gamma_control_manager_v1_get_gamma_control(connection_.gammaManager(), described->output);
    zwlr_gamma_control_v1_add_listener(asked.control, &controlListener, &asked);
    connection_.roundtrip();
    if (asked.answered && !asked.failed && asked.size > 0) {
        reported_.erase(output);
        return &asked;
    }
    if (!asked.answered)
        report(output, "gave no answer to a gamma control request (another gamma tool holds it); it is not boosted");
    else
        report(output, "has no gamma ramp the compositor lets a client set; it is not boosted");
    release(output);
    return nullptr;
}

void WlrGammaRamps::release(std::uint32_t output) {
    const auto held = controls_.find(output);
    if (held == controls_.end()) return;
    if (held->second.control) zwlr_gamma_control_v1_destroy(held->second.control);
    controls_.erase(held);
}

std::optional<x11::CrtcRamp> WlrGammaRamps::read(x11::CrtcId crtc) {
    const auto output = static_cast<std::uint32_t>(crtc);
    if (auto held = controls_.find(output); held != controls_.end() && !held->second.failed)
        return identity(held->second.size);
    Control* asked = control(output);
    if (!asked) return std::nullopt;
    const std::uint32_t size = asked->size;
    // Nothing is changed yet: the compositor keeps its own ramp until a boost needs the output.
    release(output);
    connection_.roundtrip();
    return identity(size);
}

bool WlrGammaRamps::write(x11::CrtcId crtc, const x11::CrtcRamp& ramp) {
    const auto output = static_cast<std::uint32_t>(crtc);
    if (ramp.green.size() != ramp.size() || ramp.blue.size() != ramp.size()) return false;
    const auto held = controls_.find(output);
    if (ramp == identity(ramp.size())) {
        // Giving the control up is how the compositor gets its own ramp back.
        if (held != controls_.end()) {
            release(output);
            return connection_.roundtrip();
        }
        return !connection_.isBroken();
    }
    Control* control = this->control(output);
    // A file of another size is a protocol error that would end the connection.
    if (!control || control->size != ramp.size()) return false;
    const int fd = rampFile(ramp);
    if (fd < 0) return false;
    zwlr_gamma_control_v1_set_gamma(control->control, fd);
    close(fd);
    if (!connection_.roundtrip()) return false;
    if (control->failed) {
        release(output);
        return false;
    }
    return true;
}

} // namespace brillex::wayland
