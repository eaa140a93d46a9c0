#include "ui/screens/KeyboardBacklightSection.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "controls/KeyboardBrightness.h"
#include "settings/Localization.h"
#include "ui/kit/Slider.h"
#include "ui/kit/TextLabel.h"

namespace brillex {

KeyboardBacklightSection::KeyboardBacklightSection(const ViewEnvironment& environment, QWidget* parent)
    : QWidget(parent), environment_(environment), title_(new TextLabel({}, TextStyle::caption, SystemColor::secondary)),
      percent_(new TextLabel({}, TextStyle::caption, SystemColor::secondary)),
      slider_(new Slider(0.0, 1.0, 0.0, Theme::color(SystemColor::gray))),
      notSupported_(new TextLabel({}, TextStyle::caption, SystemColor::secondary)) {
    setObjectName("keyboardSection");
    title_->setObjectName("keyboardTitle");
    percent_->setObjectName("keyboardPercent");
    slider_->setObjectName("keyboardSlider");
    notSupported_->setObjectName("keyboardNotSupported");

    auto* header = new QHBoxLayout;
    header->setContentsMargins(0, 0, 0, 0);
    header->addWidget(title_);
    header->addStretch(1);
    header->addWidget(percent_);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 0, 16, 0);
    column->setSpacing(8);
    column->addLayout(header);
    column->addWidget(slider_);
    column->addWidget(notSupported_);

    connect(slider_, &Slider::moved, this,
            [this](double value) { environment_.keyboardBrightness.setBrightness(static_cast<float>(value)); });
}

void KeyboardBacklightSection::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    environment_.keyboardBrightness.readBrightness();
}

void KeyboardBacklightSection::refresh() {
    const KeyboardBrightness& keyboard = environment_.keyboardBrightness;
    const Localization& loc = environment_.loc;
    const float level = keyboard.brightness.get();
    title_->setText(QString::fromStdString(loc.localized("keyboard_backlight")));
    // Multiplied in single precision (0.29 shows as 29 %), then truncated
    // toward zero (99.6 % shows as 99 %).
    const float percent = std::isfinite(level) ? std::trunc(std::clamp(level * 100.0f, -1e9f, 1e9f)) : 0.0f;
    percent_->setText(QString::number(static_cast<long long>(percent)) + "%");
    const bool available = keyboard.isAvailable.get();
    slider_->setVisible(available);
    slider_->setValue(level);
    notSupported_->setVisible(!available);
    notSupported_->setText(QString::fromStdString(loc.localized("not_supported")));
}

} // namespace brillex
