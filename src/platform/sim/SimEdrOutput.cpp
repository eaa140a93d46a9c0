#include "platform/sim/SimEdrOutput.h"

#include <algorithm>

namespace brillex::sim {
namespace {

class SimOverlaySurface : public OverlaySurface {
public:
    SimOverlaySurface(std::shared_ptr<SimEdrOutput::Overlay> record, const bool& drawableAvailable)
        : record_(std::move(record)), drawableAvailable_(drawableAvailable) {}
    ~SimOverlaySurface() override { record_->destroyed = true; }

    void orderFrontRegardless() override {
        if (!record_->closed) record_->shown = true;
    }
    void setClearColor(const ClearColor& color) override { record_->color = color; }
    bool presentFrame() override {
        if (record_->closed || !drawableAvailable_) {
            ++record_->skippedFrames;
            return false;
        }
        ++record_->frames;
        return true;
    }
    void close() override { record_->closed = true; }

private:
    std::shared_ptr<SimEdrOutput::Overlay> record_;
    const bool& drawableAvailable_;
};

} // namespace

std::unique_ptr<OverlaySurface> SimEdrOutput::createOverlay(DisplayId display, const OverlayWindowSettings& settings) {
    auto record = std::make_shared<Overlay>();
    record->display = display;
    record->settings = settings;
    overlays_.push_back(record);
    return std::make_unique<SimOverlaySurface>(std::move(record), drawableAvailable);
}

const SimEdrOutput::Overlay* SimEdrOutput::overlay(DisplayId display) const {
    for (auto it = overlays_.rbegin(); it != overlays_.rend(); ++it) {
        if ((*it)->display == display && (*it)->isVisible()) return it->get();
    }
    return nullptr;
}

std::size_t SimEdrOutput::visibleCount() const {
    return static_cast<std::size_t>(
        std::count_if(overlays_.begin(), overlays_.end(), [](const auto& o) { return o->isVisible(); }));
}

} // namespace brillex::sim
