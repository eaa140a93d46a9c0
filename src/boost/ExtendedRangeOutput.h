#pragma once

#include <memory>

#include "boost/ScreenServices.h"

namespace brillex {

// How an overlay window is made: the platform records and applies these.
struct OverlayWindowSettings {
    Rect contentRect;                 // global coordinates, origin at the bottom left
    unsigned styleMask = 0;           // borderless
    int backing = 2;                  // buffered
    bool deferred = false;
    bool opaque = false;
    bool hasShadow = false;
    bool clearBackground = true;      // background is the clear colour
    int level = 1000;                 // screen-saver level
    unsigned collectionBehavior = 337;  // all spaces + stationary + ignores cycling + full-screen auxiliary
    bool ignoresMouseEvents = true;
    bool releasedWhenClosed = false;
};

struct ClearColor {
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
    double alpha = 0.0;
};

// One per-display overlay window with an extended-range drawable in it.
class OverlaySurface {
public:
    virtual ~OverlaySurface() = default;

    // Shows the window in front whichever application is active.
    virtual void orderFrontRegardless() = 0;
    // The colour each frame clears the drawable to; components may exceed 1.0.
    virtual void setClearColor(const ClearColor& color) = 0;
    // Clears the drawable and presents it. False when the frame was skipped
    // (no drawable, render pass, queue or command buffer).
    virtual bool presentFrame() = 0;
    // Orders the window out and closes it.
    virtual void close() = 0;
};

// The extended-range (Metal-style) output of the computer.
class ExtendedRangeOutput {
public:
    virtual ~ExtendedRangeOutput() = default;

    // Whether a device exists that can draw extended-range content.
    virtual bool hasDevice() const = 0;
    // Creates the overlay window for a display, not yet shown.
    virtual std::unique_ptr<OverlaySurface> createOverlay(DisplayId display, const OverlayWindowSettings& settings) = 0;
};

} // namespace brillex
