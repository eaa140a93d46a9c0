#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "base/MainLoop.h"
#include "keys/OsdPanel.h"

namespace brillex::sim {

// Simulated OSD panels; a fade takes its time on the main loop's clock.
class SimOsdPanel : public OsdPanelService {
public:
    // What the newest panel that still exists shows.
    struct State {
        bool visible = false;
        bool fading = false;
        double alpha = 1.0;
        std::optional<BrightnessOSDView> content;
        Size contentSize;
        Rect frame;
    };

    explicit SimOsdPanel(MainLoop& loop);
    std::unique_ptr<OsdPanel> createPanel(Rect contentRect) override;

    // Null when no panel exists.
    const State* current() const;
    int panelsCreated() const { return created_; }
    // Panels that exist now, shown or not.
    std::size_t panelCount() const { return panels_->size(); }
    // How many times a panel was ordered front while hidden.
    int timesOrderedFront() const { return orderedFront_; }

    // The content view's fitting size: 302 points wide, as its layout gives.
    static constexpr Size fitting{302.0, 56.0};

private:
    class Panel;
    using Registry = std::vector<State*>;

    MainLoop& loop_;
    std::shared_ptr<Registry> panels_;
    int created_ = 0;
    int orderedFront_ = 0;
};

} // namespace brillex::sim
