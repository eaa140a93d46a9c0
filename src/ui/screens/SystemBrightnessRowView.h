#pragma once

#include <QWidget>

#include "boost/ScreenServices.h"
#include "ui/screens/ViewEnvironment.h"

namespace brillex {

class DisplayTitleLine;
class Slider;
class TextLabel;

// The system brightness of one display: its name and percentage, and a
// green slider (or "brightness_not_available" when the display cannot be
// set). The slider rests while the display's boost is on above level 0.
class SystemBrightnessRowView : public QWidget {
    Q_OBJECT
public:
    SystemBrightnessRowView(const ViewEnvironment& environment, DisplayId id, QWidget* parent = nullptr);

    void refresh();

    DisplayId id() const { return id_; }
    DisplayTitleLine* title() const { return title_; }
    TextLabel* percent() const { return percent_; }
    Slider* slider() const { return slider_; }
    TextLabel* unavailable() const { return unavailable_; }

private:
    ViewEnvironment environment_;
    DisplayId id_;
    DisplayTitleLine* title_;
    TextLabel* percent_;
    Slider* slider_;
    TextLabel* unavailable_;
};

} // namespace brillex
