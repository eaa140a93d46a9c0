#pragma once

#include <QWidget>

#include <functional>

namespace brillex {

class TextLabel;
class ToggleSwitch;

// A setting as a title with a mini switch. The switch shows what `isOn`
// reads and writes through `setOn`; it holds no value of its own.
class SettingsToggleRow : public QWidget {
    Q_OBJECT
public:
    SettingsToggleRow(std::function<bool()> isOn, std::function<void(bool)> setOn, QWidget* parent = nullptr);

    void refresh(const QString& title);

    TextLabel* title() const { return title_; }
    ToggleSwitch* toggle() const { return switch_; }

private:
    std::function<bool()> isOn_;
    TextLabel* title_;
    ToggleSwitch* switch_;
};

} // namespace brillex
