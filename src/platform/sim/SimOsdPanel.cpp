#include "platform/sim/SimOsdPanel.h"

#include <algorithm>
#include <utility>

namespace brillex::sim {

class SimOsdPanel::Panel : public OsdPanel {
public:
    Panel(SimOsdPanel& owner, Rect contentRect) : owner_(owner), registry_(owner.panels_) {
        state_.frame = contentRect;
        state_.contentSize = Size{contentRect.width, contentRect.height};
        registry_->push_back(&state_);
    }
    ~Panel() override { std::erase(*registry_, &state_); }

    void setContent(const BrightnessOSDView& view) override { state_.content = view; }
    Size fittingSize() const override { return state_.content ? fitting : Size{}; }
    void setContentSize(Size size) override {
        state_.contentSize = size;
        state_.frame.width = size.width;
        state_.frame.height = size.height;
    }
    Rect frame() const override { return state_.frame; }
    void setFrameOrigin(double x, double y) override {
        state_.frame.x = x;
        state_.frame.y = y;
    }

    bool isVisible() const override { return state_.visible; }
    void setAlpha(double alpha) override { state_.alpha = alpha; }
    void orderFrontRegardless() override {
        if (!state_.visible) ++owner_.orderedFront_;
        state_.visible = true;
    }
    void orderOut() override { state_.visible = false; }

    void fadeOut(double seconds, std::function<void()> completion) override {
        state_.fading = true;
        completion_ = std::move(completion);
        fade_ = owner_.loop_.schedule(seconds, false, [this] {
            state_.fading = false;
            state_.alpha = 0.0;
            // The completion may drop this panel: nothing of it is touched after.
            if (auto done = std::exchange(completion_, nullptr)) done();
        });
    }
    void stopFade() override {
        fade_.invalidate();
        completion_ = nullptr;
        state_.fading = false;
    }

private:
    SimOsdPanel& owner_;
    std::shared_ptr<Registry> registry_;
    State state_;
    std::function<void()> completion_;
    Timer fade_;
};

SimOsdPanel::SimOsdPanel(MainLoop& loop) : loop_(loop), panels_(std::make_shared<Registry>()) {}

std::unique_ptr<OsdPanel> SimOsdPanel::createPanel(Rect contentRect) {
    ++created_;
    return std::make_unique<Panel>(*this, contentRect);
}

const SimOsdPanel::State* SimOsdPanel::current() const {
    return panels_->empty() ? nullptr : panels_->back();
}

} // namespace brillex::sim
