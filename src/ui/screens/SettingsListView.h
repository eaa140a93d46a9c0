#pragma once

#include "ui/screens/AppScreen.h"
#include "ui/screens/ScreenView.h"
#include "ui/screens/ViewEnvironment.h"

class QComboBox;

namespace brillex {

class PlainButton;
class SettingsSectionHeader;
class SettingsToggleRow;
class Slider;
class TextLabel;
class ToggleSwitch;

// The settings screen: power rules, controls, general settings, the way to
// the about screen and the quit command. Every control writes at once.
class SettingsListView : public ScreenView {
    Q_OBJECT
public:
    static constexpr const char* kAccessibilitySettingsURL =
        "x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility";

    SettingsListView(const ViewEnvironment& environment, Navigate navigate, QWidget* parent = nullptr);

    void refresh() override;

    PlainButton* closeButton() const { return closeButton_; }
    SettingsToggleRow* onlyWhileCharging() const { return onlyWhileCharging_; }
    ToggleSwitch* lowBatterySwitch() const { return lowBatterySwitch_; }
    QWidget* lowBatteryRow() const { return lowBatteryRow_; }
    Slider* lowBatterySlider() const { return lowBatterySlider_; }
    TextLabel* lowBatteryValue() const { return lowBatteryValue_; }
    ToggleSwitch* timerSwitch() const { return timerSwitch_; }
    QWidget* timerRow() const { return timerRow_; }
    Slider* timerSlider() const { return timerSlider_; }
    TextLabel* timerValue() const { return timerValue_; }
    ToggleSwitch* brightnessKeySwitch() const { return keySwitch_; }
    PlainButton* accessibilityPrompt() const { return accessibilityPrompt_; }
    SettingsToggleRow* displayFeatures() const { return displayFeatures_; }
    SettingsToggleRow* keyboardBacklight() const { return keyboardBacklight_; }
    SettingsToggleRow* launchAtLogin() const { return launchAtLogin_; }
    QComboBox* languagePicker() const { return languagePicker_; }
    PlainButton* aboutRow() const { return aboutRow_; }
    PlainButton* quitRow() const { return quitRow_; }

private:
    // A group's title with a mini switch at the right; `text` gets the title.
    QWidget* switchTitleRow(TextLabel* text, ToggleSwitch* toggle);
    // The "10%" / "1m" row under a group: start label, slider, value box.
    QWidget* sliderRow(TextLabel* start, Slider* slider, TextLabel* value, int valueWidth);

    ViewEnvironment environment_;
    PlainButton* closeButton_;
    SettingsSectionHeader* powerHeader_;
    SettingsSectionHeader* controlsHeader_;
    SettingsSectionHeader* generalHeader_;
    SettingsToggleRow* onlyWhileCharging_;
    TextLabel* lowBatteryTitle_;
    ToggleSwitch* lowBatterySwitch_;
    QWidget* lowBatteryRow_;
    Slider* lowBatterySlider_;
    TextLabel* lowBatteryValue_;
    TextLabel* timerTitle_;
    ToggleSwitch* timerSwitch_;
    QWidget* timerRow_;
    Slider* timerSlider_;
    TextLabel* timerValue_;
    TextLabel* keyTitle_;
    TextLabel* keySubtitle_;
    ToggleSwitch* keySwitch_;
    PlainButton* accessibilityPrompt_;
    TextLabel* accessibilityText_;
    SettingsToggleRow* displayFeatures_;
    SettingsToggleRow* keyboardBacklight_;
    SettingsToggleRow* launchAtLogin_;
    TextLabel* languageTitle_;
    QComboBox* languagePicker_;
    PlainButton* aboutRow_;
    TextLabel* aboutText_;
    PlainButton* quitRow_;
    TextLabel* quitText_;
};

} // namespace brillex
