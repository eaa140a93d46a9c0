#pragma once

#include <QWidget>

#include "ui/screens/ViewEnvironment.h"

namespace brillex {

class Slider;
class TextLabel;

// The keyboard backlight: title, percentage and a gray slider, or
// "not_supported" without a backlight. Every showing re-reads the level.
class KeyboardBacklightSection : public QWidget {
    Q_OBJECT
public:
    explicit KeyboardBacklightSection(const ViewEnvironment& environment, QWidget* parent = nullptr);

    void refresh();

    TextLabel* title() const { return title_; }
    TextLabel* percent() const { return percent_; }
    Slider* slider() const { return slider_; }
    TextLabel* notSupported() const { return notSupported_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    ViewEnvironment environment_;
    TextLabel* title_;
    TextLabel* percent_;
    Slider* slider_;
    TextLabel* notSupported_;
};

} // namespace brillex
