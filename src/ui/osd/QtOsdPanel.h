#pragma once

#include <QPropertyAnimation>
#include <QWidget>

#include <functional>

#include "keys/OsdPanel.h"

namespace brillex {

class BrightnessOSDWidget;

// The OSD panel as a Qt window: a frameless tool-tip window that floats above
// everything (the window manager keeps it off its lists and off focus), takes
// no input and no focus, is never activated, and is transparent around the
// content it hosts.
class QtOsdPanel : public QWidget, public OsdPanel {
    Q_OBJECT
public:
    explicit QtOsdPanel(Rect contentRect);

    void setContent(const BrightnessOSDView& view) override;
    Size fittingSize() const override;
    void setContentSize(Size size) override;
    Rect frame() const override;
    void setFrameOrigin(double x, double y) override;

    bool isVisible() const override { return QWidget::isVisible(); }
    void setAlpha(double alpha) override;
    void orderFrontRegardless() override;
    void orderOut() override;

    void fadeOut(double seconds, std::function<void()> completion) override;
    void stopFade() override;

    // The hosted content; null until the first setContent.
    BrightnessOSDWidget* contentWidget() const { return content_; }
    double alpha() const { return windowOpacity(); }
    bool isFading() const { return fade_.state() == QAbstractAnimation::Running; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    BrightnessOSDWidget* content_ = nullptr;
    QPropertyAnimation fade_;
    // Tells a queued fade completion whether its fade is still the current one.
    unsigned fadeGeneration_ = 0;
};

// Makes the Qt OSD panels.
class QtOsdPanelService : public OsdPanelService {
public:
    std::unique_ptr<OsdPanel> createPanel(Rect contentRect) override;
};

} // namespace brillex
