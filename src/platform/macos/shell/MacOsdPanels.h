#pragma once

#include "ui/osd/QtOsdPanel.h"

namespace brillex::macos {

// The Qt OSD panel as a floating AppKit panel on every space, full-screen
// ones included, that lets clicks through.
class MacOsdPanel : public QtOsdPanel {
public:
    using QtOsdPanel::QtOsdPanel;

    void orderFrontRegardless() override;
};

class MacOsdPanels : public OsdPanelService {
public:
    std::unique_ptr<OsdPanel> createPanel(Rect contentRect) override;
};

} // namespace brillex::macos
