#include "platform/sim/SimStatusBar.h"

namespace brillex::sim {
namespace {

class SimButton : public StatusItemButton {
public:
    explicit SimButton(SimStatusBar::Item& item) : item_(item) {}

    void setImage(const std::string& symbolName, const std::string& accessibilityDescription) override {
        item_.image = symbolName;
        item_.accessibilityDescription = accessibilityDescription;
    }
    void setAction(std::function<void()> action) override { item_.action = std::move(action); }
    Rect bounds() const override { return SimStatusBar::buttonBounds; }

private:
    SimStatusBar::Item& item_;
};

class SimStatusItem : public StatusItem {
public:
    explicit SimStatusItem(std::shared_ptr<SimStatusBar::Item> item) : item_(std::move(item)), button_(*item_) {}

    StatusItemButton* button() override { return item_->hasButton ? &button_ : nullptr; }

private:
    std::shared_ptr<SimStatusBar::Item> item_;
    SimButton button_;
};

} // namespace

std::unique_ptr<StatusItem> SimStatusBar::statusItemWithLength(double length) {
    auto item = std::make_shared<Item>();
    item->length = length;
    item->hasButton = givesButton_;
    item_ = item;
    return std::make_unique<SimStatusItem>(std::move(item));
}

const SimStatusBar::Item* SimStatusBar::item() const {
    return item_.lock().get();
}

bool SimStatusBar::click() {
    const auto item = item_.lock();
    if (!item || !item->hasButton) return false;
    // A copy: the action may replace itself or remove the item.
    if (auto action = item->action) action();
    return true;
}

} // namespace brillex::sim
