#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include "boost/ExtendedRangeOutput.h"

namespace brillex::sim {

// The simulated extended-range device and the overlays made on it. Every
// overlay ever made is kept as a record, so tests can read what happened to it.
class SimEdrOutput : public ExtendedRangeOutput {
public:
    struct Overlay {
        DisplayId display = 0;
        OverlayWindowSettings settings;
        bool shown = false;
        bool closed = false;
        bool destroyed = false;
        std::optional<ClearColor> color; // none until first set
        int frames = 0;                  // presented
        int skippedFrames = 0;

        // Exists on screen: shown, and neither closed nor released.
        bool isVisible() const { return shown && !closed && !destroyed; }
    };

    bool hasDevice() const override { return deviceAvailable; }
    std::unique_ptr<OverlaySurface> createOverlay(DisplayId display, const OverlayWindowSettings& settings) override;

    // The visible overlay of a display, or null.
    const Overlay* overlay(DisplayId display) const;
    // Overlays made so far, in creation order.
    const std::vector<std::shared_ptr<Overlay>>& overlays() const { return overlays_; }
    std::size_t visibleCount() const;

    bool deviceAvailable = true;
    // Off: frames find no drawable and are skipped.
    bool drawableAvailable = true;

private:
    std::vector<std::shared_ptr<Overlay>> overlays_;
};

} // namespace brillex::sim
