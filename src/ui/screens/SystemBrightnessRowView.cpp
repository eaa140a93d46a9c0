#include "ui/screens/SystemBrightnessRowView.h"

#include <QVBoxLayout>

#include "boost/BrightnessManager.h"
#include "controls/SystemBrightness.h"
#include "settings/Localization.h"
#include "ui/screens/DisplayTitleLine.h"
#include "ui/kit/Slider.h"
#include "ui/kit/TextLabel.h"

namespace brillex {

SystemBrightnessRowView::SystemBrightnessRowView(const ViewEnvironment& environment, DisplayId id, QWidget* parent)
    : QWidget(parent), environment_(environment), id_(id), title_(new DisplayTitleLine),
      percent_(new TextLabel({}, TextStyle::caption, SystemColor::secondary)),
      slider_(new Slider(0.0, 1.0, 0.0, Theme::color(SystemColor::green))),
      unavailable_(new TextLabel({}, TextStyle::caption, SystemColor::secondary)) {
    setObjectName(QString("brightnessRow-%1").arg(id));
    percent_->setObjectName("brightnessPercent");
    slider_->setObjectName("brightnessSlider");
    unavailable_->setObjectName("brightnessUnavailable");
    title_->addTrailing(percent_);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    column->addWidget(title_);
    column->addWidget(slider_);
    column->addWidget(unavailable_);

    connect(slider_, &Slider::moved, this, [this](double value) {
        const auto& states = environment_.systemBrightness.displayStates.get();
        if (auto it = states.find(id_); it != states.end()) it->second->setBrightness(static_cast<float>(value));
    });
}

void SystemBrightnessRowView::refresh() {
    const auto& states = environment_.systemBrightness.displayStates.get();
    const auto it = states.find(id_);
    if (it == states.end()) return;
    const DisplayBrightnessState& state = *it->second;

    title_->showDisplay(state.isBuiltIn, state.name, environment_.loc);
    percent_->setText(QString::number(state.brightnessPercent()) + "%");

    const bool settable = state.hasBrightnessControl();
    slider_->setVisible(settable);
    unavailable_->setVisible(!settable);
    unavailable_->setText(QString::fromStdString(environment_.loc.localized("brightness_not_available")));
    slider_->setValue(state.brightness.get());
    // The backlight stays where it is while the display is boosted above level 0.
    const DisplayBoostState* boost = environment_.brightnessManager.state(id_);
    slider_->setEnabled(!(boost && boost->isBoostEnabled.get() && boost->boostLevel.get() > 0.0));
}

} // namespace brillex
