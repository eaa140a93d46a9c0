#pragma once

#include <QWidget>

#include "ui/screens/ViewEnvironment.h"

namespace brillex {

class FeatureToggleButton;

// Night Shift, True Tone and Dark Mode as three buttons sharing the width;
// the first two only where the system offers them. Every showing re-reads them.
class DisplayFeatureRow : public QWidget {
    Q_OBJECT
public:
    explicit DisplayFeatureRow(const ViewEnvironment& environment, QWidget* parent = nullptr);

    void refresh();

    FeatureToggleButton* nightShift() const { return night_; }
    FeatureToggleButton* trueTone() const { return trueTone_; }
    FeatureToggleButton* darkMode() const { return dark_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    ViewEnvironment environment_;
    FeatureToggleButton* night_;
    FeatureToggleButton* trueTone_;
    FeatureToggleButton* dark_;
};

} // namespace brillex
