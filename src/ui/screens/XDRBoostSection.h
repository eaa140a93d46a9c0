#pragma once

#include <QWidget>

#include "ui/screens/ViewEnvironment.h"

namespace brillex {

class RowList;
class TextLabel;
class ToggleSwitch;
class XDRDisplayRowView;

// The boost section of the main screen: its title with the master switch
// (when any display can be boosted), then one row per XDR display, or
// "no_xdr_display".
class XDRBoostSection : public QWidget {
    Q_OBJECT
public:
    explicit XDRBoostSection(const ViewEnvironment& environment, QWidget* parent = nullptr);

    void refresh();

    // On while any XDR-capable display is boosted.
    static bool masterSwitchValue(const BrightnessManager& manager);
    // Switches one display on: the built-in one when it can be boosted, else
    // the first that can; nothing while the battery rule forbids boosting.
    static void masterSwitchOn(const ViewEnvironment& environment);

    TextLabel* title() const { return title_; }
    ToggleSwitch* masterSwitch() const { return master_; }
    TextLabel* empty() const { return empty_; }
    std::vector<XDRDisplayRowView*> rows() const;

private:
    ViewEnvironment environment_;
    TextLabel* title_;
    ToggleSwitch* master_;
    RowList* rows_;
    TextLabel* empty_;
};

} // namespace brillex
