#include "ui/screens/ContentView.h"

#include <QVBoxLayout>

#include "boost/BrightnessManager.h"
#include "controls/DisplayFeatures.h"
#include "controls/KeyboardBrightness.h"
#include "controls/SystemBrightness.h"
#include "power/BatteryMonitor.h"
#include "settings/AppSettings.h"
#include "settings/Localization.h"
#include "ui/screens/AboutView.h"
#include "ui/screens/FontCoverage.h"
#include "ui/screens/MainView.h"
#include "ui/screens/SettingsListView.h"
#include "ui/kit/Theme.h"

namespace brillex {

ContentView::ContentView(const ViewEnvironment& environment, QWidget* parent)
    : QWidget(parent), environment_(environment), layout_(new QVBoxLayout(this)), observer_([this] { redraw(); }) {
    setObjectName("contentView");
    setFixedWidth(kWidth);
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, Theme::color(SystemColor::windowBackground));
    setPalette(background);
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    layout_->setAlignment(Qt::AlignTop);
    followLanguage();
    setCurrentScreen(AppScreen::main);
}

void ContentView::setCurrentScreen(AppScreen screen) {
    if (screen_ && screen == currentScreen_) return;
    currentScreen_ = screen;
    if (screen_) {
        // The old screen may be the one whose button asked for the change.
        layout_->removeWidget(screen_);
        screen_->hide();
        screen_->deleteLater();
    }
    const Navigate navigate = [this](AppScreen next) { setCurrentScreen(next); };
    switch (screen) {
    case AppScreen::main: screen_ = new MainView(environment_, navigate); break;
    case AppScreen::settings: screen_ = new SettingsListView(environment_, navigate); break;
    case AppScreen::about: screen_ = new AboutView(environment_, navigate); break;
    }
    layout_->addWidget(screen_);
    watchModels();
}

void ContentView::followLanguage() {
    std::string language = environment_.loc.currentLanguage();
    if (language == language_) return;
    language_ = std::move(language);
    setFont(Theme::languageFont(language_));
    FontCoverage::shared().checkCurrentLanguage(environment_.loc);
}

void ContentView::redraw() {
    followLanguage();
    watchModels();
    if (screen_) screen_->refresh();
}

void ContentView::watchModels() {
    observer_.clear();
    observer_.watch(environment_.brightnessManager);
    observer_.watch(environment_.batteryMonitor);
    observer_.watch(environment_.appSettings);
    observer_.watch(environment_.loc);
    observer_.watch(environment_.store());
    observer_.watch(environment_.systemBrightness);
    for (const auto& [id, state] : environment_.systemBrightness.displayStates.get()) observer_.watch(*state);
    observer_.watch(environment_.displayManager);
    observer_.watch(environment_.keyboardBrightness);
    observer_.watch(environment_.displayFeatures);
}

} // namespace brillex
