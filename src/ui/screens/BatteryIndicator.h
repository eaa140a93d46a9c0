#pragma once

#include <QWidget>

#include "ui/kit/Theme.h"

namespace brillex {

class BatteryMonitor;
class SymbolView;
class TextLabel;

// The charge in the main screen's header: a battery symbol filled to the
// nearest quarter (with a bolt while charging) and the whole percentage.
class BatteryIndicator : public QWidget {
    Q_OBJECT
public:
    explicit BatteryIndicator(QWidget* parent = nullptr);

    void refresh(const BatteryMonitor& battery);

    // "battery.0" below 13, "battery.25" below 38, ... "battery.100" from 88
    // on (and for anything that is not a number), ".bolt" appended while charging.
    static QString symbolName(double chargeLevel, bool isCharging);
    // Green while charging, else red below 20, else secondary.
    static SystemColor symbolColor(double chargeLevel, bool isCharging);
    // Red below 20, else secondary, whether charging or not.
    static SystemColor textColor(double chargeLevel);
    // The level truncated toward zero, then "%".
    static QString text(double chargeLevel);

    SymbolView* symbol() const { return symbol_; }
    TextLabel* label() const { return label_; }

private:
    SymbolView* symbol_;
    TextLabel* label_;
};

} // namespace brillex
