#include "ui/screens/XDRDisplayRowView.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "boost/BrightnessManager.h"
#include "controls/SystemBrightness.h"
#include "power/BatteryMonitor.h"
#include "settings/AppSettings.h"
#include "settings/Localization.h"
#include "ui/screens/DisplayTitleLine.h"
#include "ui/kit/Slider.h"
#include "ui/kit/TextLabel.h"
#include "ui/kit/ToggleSwitch.h"

namespace brillex {

XDRDisplayRowView::XDRDisplayRowView(const ViewEnvironment& environment, DisplayInfo display, QWidget* parent)
    : QWidget(parent), environment_(environment), display_(std::move(display)), title_(new DisplayTitleLine),
      nits_(new TextLabel({}, TextStyle::caption, SystemColor::orange)),
      switch_(new ToggleSwitch(ToggleSwitch::Size::small)),
      notSupported_(new TextLabel({}, TextStyle::caption, SystemColor::secondary)),
      requiresFull_(new TextLabel({}, TextStyle::caption, SystemColor::orange)), levelBlock_(new QWidget),
      slider_(new Slider(0.0, 1.0, 0.0, Theme::color(SystemColor::orange))),
      minimum_(new TextLabel("+0%", TextStyle::caption, SystemColor::secondary)),
      percent_(new TextLabel({}, TextStyle::caption, SystemColor::orange)),
      maximum_(new TextLabel({}, TextStyle::caption, SystemColor::secondary)) {
    setObjectName(QString("xdrRow-%1").arg(display_.id));
    nits_->setObjectName("nits");
    switch_->setObjectName("boostSwitch");
    switch_->setTint(Theme::color(SystemColor::orange));
    notSupported_->setObjectName("notSupported");
    requiresFull_->setObjectName("requires100");
    slider_->setObjectName("boostSlider");
    percent_->setObjectName("boostPercent");
    maximum_->setObjectName("boostMaximum");
    title_->addTrailing(nits_);
    title_->addTrailing(switch_);
    title_->addTrailing(notSupported_);

    auto* scale = new QHBoxLayout;
    scale->setContentsMargins(0, 0, 0, 0);
    scale->addWidget(minimum_);
    scale->addStretch(1);
    scale->addWidget(percent_);
    scale->addStretch(1);
    scale->addWidget(maximum_);
    auto* level = new QVBoxLayout(levelBlock_);
    level->setContentsMargins(0, 0, 0, 0);
    level->setSpacing(4);
    level->addWidget(slider_);
    level->addLayout(scale);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    column->addWidget(title_);
    column->addWidget(requiresFull_);
    column->addWidget(levelBlock_);

    connect(switch_, &ToggleSwitch::switched, this, [this](bool on) {
        if (DisplayBoostState* state = environment_.brightnessManager.state(display_.id)) state->setBoostEnabled(on);
    });
    connect(slider_, &Slider::moved, this, [this](double value) {
        if (DisplayBoostState* state = environment_.brightnessManager.state(display_.id)) state->setBoostLevel(value);
    });
}

void XDRDisplayRowView::refresh(const DisplayInfo& display) {
    display_ = display;
    const DisplayBoostState* boost = environment_.brightnessManager.state(display_.id);
    const auto& brightnessStates = environment_.systemBrightness.displayStates.get();
    const auto found = brightnessStates.find(display_.id);
    if (!boost || found == brightnessStates.end()) return;
    const DisplayBrightnessState& brightness = *found->second;
    const Localization& loc = environment_.loc;

    title_->showDisplay(display_.isBuiltIn, display_.name, loc);
    const bool capable = boost->isXDRCapable();
    const bool enabled = boost->isBoostEnabled.get();
    const bool atFull = brightness.isAtFullBrightness();
    const bool batteryForbids =
        environment_.appSettings.onlyWhileCharging() && environment_.batteryMonitor.isOnBattery.get();

    nits_->setVisible(capable && enabled);
    nits_->setText(QString::number(boost->currentNits.get()) + " nits");
    switch_->setVisible(capable);
    switch_->setOn(enabled);
    switch_->setEnabled(atFull && !batteryForbids);
    notSupported_->setVisible(!capable);
    notSupported_->setText(QString::fromStdString(loc.localized("not_supported")));

    requiresFull_->setVisible(capable && !atFull);
    requiresFull_->setText(QString::fromStdString(loc.localized("requires_100")));
    levelBlock_->setVisible(capable && enabled);
    slider_->setValue(boost->boostLevel.get());
    slider_->setEnabled(atFull);
    percent_->setText("+" + QString::number(boost->boostPercent.get()) + "%");
    maximum_->setText(boost->displayInfo.isBuiltIn ? "+200%" : "+100%");
}

} // namespace brillex
