#pragma once

#include <functional>
#include <memory>

#include "boost/ScreenServices.h"
#include "keys/BrightnessOSDView.h"

namespace brillex {

struct Size {
    double width = 0.0;
    double height = 0.0;
};

// The on-screen display's panel: floating above other windows and full-screen
// ones, on every workspace, never taking focus or activating the program,
// letting mouse clicks through, transparent around its content. Hidden until
// ordered front.
class OsdPanel {
public:
    virtual ~OsdPanel() = default;

    // The first content creates the panel's content view; later ones replace
    // what it draws without a new entrance animation.
    virtual void setContent(const BrightnessOSDView& view) = 0;
    // The size the content view needs.
    virtual Size fittingSize() const = 0;
    virtual void setContentSize(Size size) = 0;
    // Screen coordinates, origin at the bottom left.
    virtual Rect frame() const = 0;
    virtual void setFrameOrigin(double x, double y) = 0;

    virtual bool isVisible() const = 0;
    virtual void setAlpha(double alpha) = 0;
    // Shows the panel in front without activating the program.
    virtual void orderFrontRegardless() = 0;
    virtual void orderOut() = 0;

    // Animates the alpha to 0.0 over `seconds` with an ease-in curve, then
    // calls `completion` on the main thread; the completion may drop the panel.
    virtual void fadeOut(double seconds, std::function<void()> completion) = 0;
    // Stops a running fade where it is; its completion is not called.
    virtual void stopFade() = 0;
};

class OsdPanelService {
public:
    virtual ~OsdPanelService() = default;

    virtual std::unique_ptr<OsdPanel> createPanel(Rect contentRect) = 0;
};

} // namespace brillex
