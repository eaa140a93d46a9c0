#include "ui/screens/MainView.h"

#include <QVBoxLayout>

#include "settings/AppSettings.h"
#include "ui/screens/AppHeader.h"
#include "ui/screens/BatteryIndicator.h"
#include "ui/screens/DisplayFeatureRow.h"
#include "ui/kit/Divider.h"
#include "ui/screens/KeyboardBacklightSection.h"
#include "ui/kit/PlainButton.h"
#include "ui/screens/SystemBrightnessSection.h"
#include "ui/screens/XDRBoostSection.h"

namespace brillex {

MainView::MainView(const ViewEnvironment& environment, Navigate navigate, QWidget* parent)
    : ScreenView(parent), environment_(environment), battery_(new BatteryIndicator),
      settingsButton_(AppHeader::symbolButton("gearshape")),
      systemBrightness_(new SystemBrightnessSection(environment_)), xdrBoost_(new XDRBoostSection(environment_)),
      featuresDivider_(new Divider(16)), features_(new DisplayFeatureRow(environment_)),
      keyboardDivider_(new Divider(16)), keyboard_(new KeyboardBacklightSection(environment_)) {
    setObjectName("mainView");
    settingsButton_->setObjectName("settingsButton");
    auto* header = new AppHeader;
    header->addTrailing(battery_);
    header->addTrailing(settingsButton_);

    auto* sections = new QVBoxLayout;
    sections->setContentsMargins(0, 0, 0, 12);
    sections->setSpacing(12);
    sections->addWidget(systemBrightness_);
    sections->addWidget(new Divider(16));
    sections->addWidget(xdrBoost_);
    sections->addWidget(featuresDivider_);
    sections->addWidget(features_);
    sections->addWidget(keyboardDivider_);
    sections->addWidget(keyboard_);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(header);
    column->addWidget(new Divider);
    column->addLayout(sections);

    connect(settingsButton_, &QAbstractButton::clicked, this,
            [navigate = std::move(navigate)] { navigate(AppScreen::settings); });
    refresh();
}

void MainView::refresh() {
    battery_->refresh(environment_.batteryMonitor);
    systemBrightness_->refresh();
    xdrBoost_->refresh();
    const bool featuresShown = environment_.appSettings.displayFeaturesEnabled();
    featuresDivider_->setVisible(featuresShown);
    features_->setVisible(featuresShown);
    if (featuresShown) features_->refresh();
    const bool keyboardShown = environment_.appSettings.keyboardBacklightEnabled();
    keyboardDivider_->setVisible(keyboardShown);
    keyboard_->setVisible(keyboardShown);
    if (keyboardShown) keyboard_->refresh();
}

} // namespace brillex
