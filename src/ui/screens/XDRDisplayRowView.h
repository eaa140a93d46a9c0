#pragma once

#include <QWidget>

#include "boost/DisplayInfo.h"
#include "ui/screens/ViewEnvironment.h"

namespace brillex {

class DisplayTitleLine;
class Slider;
class TextLabel;
class ToggleSwitch;

// The boost of one XDR display: name, luminance and an orange switch; while
// the boost is on, the level slider with the percentages under it. A display
// that cannot be boosted says "not_supported"; one below full system
// brightness says "requires_100" and its controls rest.
class XDRDisplayRowView : public QWidget {
    Q_OBJECT
public:
    XDRDisplayRowView(const ViewEnvironment& environment, DisplayInfo display, QWidget* parent = nullptr);

    // Redraws from the display's record and its two states; does nothing
    // while either state is missing (the section then drops the row).
    void refresh(const DisplayInfo& display);

    DisplayId id() const { return display_.id; }
    DisplayTitleLine* title() const { return title_; }
    TextLabel* nits() const { return nits_; }
    ToggleSwitch* boostSwitch() const { return switch_; }
    TextLabel* notSupported() const { return notSupported_; }
    TextLabel* requiresFull() const { return requiresFull_; }
    QWidget* levelBlock() const { return levelBlock_; }
    Slider* slider() const { return slider_; }
    TextLabel* minimumLabel() const { return minimum_; }
    TextLabel* percentLabel() const { return percent_; }
    TextLabel* maximumLabel() const { return maximum_; }

private:
    ViewEnvironment environment_;
    DisplayInfo display_;
    DisplayTitleLine* title_;
    TextLabel* nits_;
    ToggleSwitch* switch_;
    TextLabel* notSupported_;
    TextLabel* requiresFull_;
    QWidget* levelBlock_;
    Slider* slider_;
    TextLabel* minimum_;
    TextLabel* percent_;
    TextLabel* maximum_;
};

} // namespace brillex
