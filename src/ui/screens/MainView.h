#pragma once

#include "ui/screens/AppScreen.h"
#include "ui/screens/ScreenView.h"
#include "ui/screens/ViewEnvironment.h"

namespace brillex {

class BatteryIndicator;
class Divider;
class DisplayFeatureRow;
class KeyboardBacklightSection;
class PlainButton;
class SystemBrightnessSection;
class XDRBoostSection;

// The main screen: the header with the charge and the settings button, then
// the system-brightness and boost sections, and the display-feature and
// keyboard-backlight sections when the settings ask for them.
class MainView : public ScreenView {
    Q_OBJECT
public:
    MainView(const ViewEnvironment& environment, Navigate navigate, QWidget* parent = nullptr);

    void refresh() override;

    BatteryIndicator* battery() const { return battery_; }
    PlainButton* settingsButton() const { return settingsButton_; }
    SystemBrightnessSection* systemBrightness() const { return systemBrightness_; }
    XDRBoostSection* xdrBoost() const { return xdrBoost_; }
    DisplayFeatureRow* features() const { return features_; }
    KeyboardBacklightSection* keyboard() const { return keyboard_; }

private:
    ViewEnvironment environment_;
    BatteryIndicator* battery_;
    PlainButton* settingsButton_;
    SystemBrightnessSection* systemBrightness_;
    XDRBoostSection* xdrBoost_;
    Divider* featuresDivider_;
    DisplayFeatureRow* features_;
    Divider* keyboardDivider_;
    KeyboardBacklightSection* keyboard_;
};

} // namespace brillex
