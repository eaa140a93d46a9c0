#include "platform/sim/SimPopovers.h"

namespace brillex::sim {
namespace {

class SimPopover : public Popover {
public:
    explicit SimPopover(std::shared_ptr<SimPopovers::State> state) : state_(std::move(state)) {}

    void setBehavior(PopoverBehavior behavior) override { state_->behavior = behavior; }
    void setAnimates(bool animates) override { state_->animates = animates; }
    void hostContentView() override { state_->contentHosted = true; }
    bool isShown() const override { return state_->shown; }
    void showRelativeTo(Rect bounds, StatusItemButton&, RectEdge edge) override {
        state_->shown = true;
        state_->anchorBounds = bounds;
        state_->edge = edge;
        ++state_->timesShown;
    }
    void performClose() override { state_->shown = false; }

private:
    std::shared_ptr<SimPopovers::State> state_;
};

} // namespace

std::unique_ptr<Popover> SimPopovers::makePopover() {
    auto state = std::make_shared<State>();
    popover_ = state;
    return std::make_unique<SimPopover>(std::move(state));
}

const SimPopovers::State* SimPopovers::popover() const {
    return popover_.lock().get();
}

} // namespace brillex::sim
