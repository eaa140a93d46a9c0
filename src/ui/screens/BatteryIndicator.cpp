#include "ui/screens/BatteryIndicator.h"

#include <QHBoxLayout>

#include <cmath>

#include "power/BatteryMonitor.h"
#include "ui/kit/SymbolView.h"
#include "ui/kit/TextLabel.h"

namespace brillex {

BatteryIndicator::BatteryIndicator(QWidget* parent)
    : QWidget(parent), symbol_(new SymbolView("battery.100", TextStyle::caption, Theme::color(SystemColor::secondary))),
      label_(new TextLabel({}, TextStyle::caption, SystemColor::secondary)) {
    symbol_->setObjectName("batterySymbol");
    label_->setObjectName("batteryText");
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    row->addWidget(symbol_);
    row->addWidget(label_);
}

void BatteryIndicator::refresh(const BatteryMonitor& battery) {
    const double level = battery.chargeLevel.get();
    const bool charging = battery.isCharging.get();
    symbol_->setSymbol(symbolName(level, charging));
    symbol_->setColor(Theme::color(symbolColor(level, charging)));
    label_->setText(text(level));
    label_->setColor(textColor(level));
}

QString BatteryIndicator::symbolName(double chargeLevel, bool isCharging) {
    const char* level = "100";
    if (chargeLevel >= 0.0 && chargeLevel < 13.0) level = "0";
    else if (chargeLevel >= 13.0 && chargeLevel < 38.0) level = "25";
    else if (chargeLevel >= 38.0 && chargeLevel < 63.0) level = "50";
    else if (chargeLevel >= 63.0 && chargeLevel < 88.0) level = "75";
    return QString("battery.") + level + (isCharging ? ".bolt" : "");
}

SystemColor BatteryIndicator::symbolColor(double chargeLevel, bool isCharging) {
    if (isCharging) return SystemColor::green;
    return chargeLevel < 20.0 ? SystemColor::red : SystemColor::secondary;
}

SystemColor BatteryIndicator::textColor(double chargeLevel) {
    return chargeLevel < 20.0 ? SystemColor::red : SystemColor::secondary;
}

QString BatteryIndicator::text(double chargeLevel) {
    // The monitor keeps the level within 0 to 100; anything else is shown
    // without converting an out-of-range double to an integer.
    if (!std::isfinite(chargeLevel) || std::fabs(chargeLevel) > 1e9) return "--%";
    return QString::number(static_cast<long long>(std::trunc(chargeLevel))) + "%";
}

} // namespace brillex
