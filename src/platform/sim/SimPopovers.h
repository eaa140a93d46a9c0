#pragma once

#include <memory>
#include <optional>

#include "app/Popover.h"

namespace brillex::sim {

// Makes simulated popovers and shows what the one made last looks like.
class SimPopovers : public PopoverFactory {
public:
    struct State {
        std::optional<PopoverBehavior> behavior;  // none until set
        bool animates = false;
        bool contentHosted = false;
        bool shown = false;
        std::optional<RectEdge> edge;  // of the last showing
        Rect anchorBounds;
        int timesShown = 0;
    };

    std::unique_ptr<Popover> makePopover() override;

    // The popover made last; null when none exists.
    const State* popover() const;

private:
    std::weak_ptr<State> popover_;
};

} // namespace brillex::sim
