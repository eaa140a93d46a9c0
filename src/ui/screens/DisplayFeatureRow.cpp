#include "ui/screens/DisplayFeatureRow.h"

#include <QHBoxLayout>

#include "controls/DisplayFeatures.h"
#include "ui/kit/FeatureToggleButton.h"
#include "ui/kit/Theme.h"

namespace brillex {

DisplayFeatureRow::DisplayFeatureRow(const ViewEnvironment& environment, QWidget* parent)
    : QWidget(parent), environment_(environment) {
    setObjectName("featureRow");
    DisplayFeatures& features = environment_.displayFeatures;
    // Each action negates the value published at the moment of the press.
    night_ = new FeatureToggleButton("moon.fill", "Night", Theme::color(SystemColor::orange),
                                     [&features] { features.setNightShift(!features.isNightShiftEnabled.get()); });
    trueTone_ = new FeatureToggleButton("sun.max.fill", "True", Theme::color(SystemColor::yellow),
                                        [&features] { features.setTrueTone(!features.isTrueToneEnabled.get()); });
    dark_ = new FeatureToggleButton("circle.lefthalf.filled", "Dark", Theme::color(SystemColor::indigo),
                                    [&features] { features.setDarkMode(!features.isDarkModeEnabled.get()); });
    night_->setObjectName("nightShiftButton");
    trueTone_->setObjectName("trueToneButton");
    dark_->setObjectName("darkModeButton");

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 0, 16, 0);
    row->setSpacing(8);
    for (auto* button : {night_, trueTone_, dark_}) row->addWidget(button, 1);
}

void DisplayFeatureRow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    environment_.displayFeatures.refresh();
}

void DisplayFeatureRow::refresh() {
    const DisplayFeatures& features = environment_.displayFeatures;
    night_->setVisible(features.isNightShiftAvailable.get());
    night_->setFeatureEnabled(features.isNightShiftEnabled.get());
    trueTone_->setVisible(features.isTrueToneAvailable.get());
    trueTone_->setFeatureEnabled(features.isTrueToneEnabled.get());
    dark_->setVisible(features.isDarkModeAvailable.get());
    dark_->setFeatureEnabled(features.isDarkModeEnabled.get());
}

} // namespace brillex
