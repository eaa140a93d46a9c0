#pragma once

#include <QColor>
#include <QWidget>

#include <memory>
#include <optional>

#include "boost/ExtendedRangeOutput.h"

namespace brillex {

// The per-display overlay as a Qt window: 1 × 1, frameless, always on top,
// transparent, outside the window manager's lists and focus, letting every
// click through, at the display frame's origin. A Qt desktop offers no
// extended-range surface, so each frame paints the clear colour with its
// components held to the standard range.
//
// When it mirrors another output's surface (the simulated device, which the
// simulator window shows), every call goes to that surface as well.
class QtOverlayWindow : public QWidget, public OverlaySurface {
    Q_OBJECT
public:
    QtOverlayWindow(const OverlayWindowSettings& settings, std::unique_ptr<OverlaySurface> mirrored);

    void orderFrontRegardless() override;
    void setClearColor(const ClearColor& color) override;
    bool presentFrame() override;
    void close() override;

    // What the last frame painted, in the standard range.
    QColor shownColor() const { return shown_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<OverlaySurface> mirrored_;
    QColor shown_ = Qt::transparent;
    std::optional<QColor> painted_;
};

// The extended-range output of a Qt desktop. It makes real overlay windows,
// and says once per window that they show standard range only. With an output
// to mirror, that output decides whether a device exists and gets a surface
// for every window made here.
class QtExtendedRangeOutput : public ExtendedRangeOutput {
public:
    explicit QtExtendedRangeOutput(ExtendedRangeOutput* mirrored = nullptr) : mirrored_(mirrored) {}

    bool hasDevice() const override;
    std::unique_ptr<OverlaySurface> createOverlay(DisplayId display, const OverlayWindowSettings& settings) override;

private:
    ExtendedRangeOutput* mirrored_;
};

} // namespace brillex
