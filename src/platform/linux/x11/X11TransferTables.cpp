#include "platform/linux/x11/X11TransferTables.h"

#include <algorithm>
#include <cstring>

#include "platform/linux/ramps/RampResampling.h"

namespace brillex::x11 {

std::optional<CrtcRamp> X11TransferTables::nativeRamp(CrtcId crtc) {
    if (auto kept = changed_.find(crtc); kept != changed_.end()) return kept->second;
    return ramps_.read(crtc);
}

int X11TransferTables::getTransferTable(DisplayId display, std::uint32_t capacity, float* red, float* green,
                                        float* blue, std::uint32_t& sampleCount) {
    const std::optional<CrtcId> crtc = ramps_.crtcOf(display);
    if (!crtc || capacity == 0) return kFailure;
    if (guard_ && changed_.count(*crtc) == 0) {
        if (auto why = guard_->whyUnprotected()) {
            whyUnprotected_ = std::move(*why);
            return kUnprotected;
        }
    }
    // Read while a boost of ours is on, the CRTC's own ramp is the one kept.
    std::optional<CrtcRamp> native = nativeRamp(*crtc);
    if (!native) return kFailure;
    Capture capture{*crtc, std::move(*native), {}, {}, {}};
    capture.red = tableFromRamp(capture.native.red, capacity);
    capture.green = tableFromRamp(capture.native.green, capacity);
    capture.blue = tableFromRamp(capture.native.blue, capacity);
    std::copy(capture.red.begin(), capture.red.end(), red);
    std::copy(capture.green.begin(), capture.green.end(), green);
    std::copy(capture.blue.begin(), capture.blue.end(), blue);
    sampleCount = capacity;
    captures_[display] = std::move(capture);
    return 0;
}

bool X11TransferTables::isHandedOut(const Capture& capture, std::uint32_t count, const float* red, const float* green,
                                    const float* blue) const {
    const std::size_t bytes = count * sizeof(float);
    return capture.red.size() == count && std::memcmp(capture.red.data(), red, bytes) == 0 &&
           std::memcmp(capture.green.data(), green, bytes) == 0 && std::memcmp(capture.blue.data(), blue, bytes) == 0;
}

int X11TransferTables::setTransferTable(DisplayId display, std::uint32_t count, const float* red, const float* green,
                                        const float* blue) {
    const std::optional<CrtcId> crtc = ramps_.crtcOf(display);
    if (!crtc || count == 0) return kFailure;
    std::optional<CrtcRamp> native = nativeRamp(*crtc);
    if (!native) return kFailure;

    const auto capture = captures_.find(display);
    CrtcRamp ramp;
    if (capture != captures_.end() && capture->second.crtc == *crtc && isHandedOut(capture->second, count, red, green, blue)) {
        ramp = capture->second.native;
    } else {
        const std::size_t size = native->size();
        ramp = CrtcRamp{rampFromTable(red, count, size), rampFromTable(green, count, size),
                        rampFromTable(blue, count, size)};
    }

    const bool isNative = ramp == *native;
    const bool wasChanged = changed_.count(*crtc) != 0;
    if (!isNative && !wasChanged) {
        if (guard_ && !guard_->keepNative(*crtc, *native)) return kFailure;
        changed_.emplace(*crtc, *native);
    }
    if (!isNative && guard_) guard_->willShow(*crtc, ramp);
    if (!ramps_.write(*crtc, ramp)) return kFailure;
    if (isNative && wasChanged) {
        changed_.erase(*crtc);
        if (guard_) guard_->nativeRestored(*crtc);
    }
    return 0;
}

} // namespace brillex::x11
