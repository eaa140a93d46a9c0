#include "ui/screens/SettingsListView.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <cmath>

#include "app/Application.h"
#include "app/Workspace.h"
#include "keys/AccessibilityTrust.h"
#include "settings/AppSettings.h"
#include "settings/Localization.h"
#include "ui/screens/AppHeader.h"
#include "ui/kit/ContentScrollArea.h"
#include "ui/kit/Divider.h"
#include "ui/kit/PlainButton.h"
#include "ui/kit/SettingsSectionHeader.h"
#include "ui/kit/SettingsToggleRow.h"
#include "ui/kit/Slider.h"
#include "ui/kit/SymbolView.h"
#include "ui/kit/TextLabel.h"
#include "ui/kit/ToggleSwitch.h"

namespace brillex {

namespace {

QString text(const Localization& loc, const char* key) { return QString::fromStdString(loc.localized(key)); }

// A slider's value as the integer it writes (the slider only offers whole steps).
long long truncated(double value) { return static_cast<long long>(std::trunc(value)); }

QVBoxLayout* column(QWidget* owner, int spacing, QMargins margins = {}) {
    auto* layout = new QVBoxLayout(owner);
    layout->setContentsMargins(margins);
    layout->setSpacing(spacing);
    return layout;
}

} // namespace

SettingsListView::SettingsListView(const ViewEnvironment& environment, Navigate navigate, QWidget* parent)
    : ScreenView(parent), environment_(environment), closeButton_(AppHeader::symbolButton("xmark")),
      powerHeader_(new SettingsSectionHeader), controlsHeader_(new SettingsSectionHeader),
      generalHeader_(new SettingsSectionHeader),
      lowBatteryTitle_(new TextLabel({}, TextStyle::subheadline, SystemColor::primary)),
      lowBatterySwitch_(new ToggleSwitch(ToggleSwitch::Size::mini)),
      lowBatterySlider_(new Slider(10, 50, 5, Theme::color(SystemColor::orange))),
      lowBatteryValue_(new TextLabel({}, TextStyle::caption, SystemColor::orange)),
      timerTitle_(new TextLabel({}, TextStyle::subheadline, SystemColor::primary)),
      timerSwitch_(new ToggleSwitch(ToggleSwitch::Size::mini)),
      timerSlider_(new Slider(1, 20, 1, Theme::color(SystemColor::orange))),
      timerValue_(new TextLabel({}, TextStyle::caption, SystemColor::orange)),
      keyTitle_(new TextLabel({}, TextStyle::subheadline, SystemColor::primary)),
      keySubtitle_(new TextLabel({}, TextStyle::caption, SystemColor::secondary)),
      keySwitch_(new ToggleSwitch(ToggleSwitch::Size::mini)), accessibilityPrompt_(new PlainButton),
      accessibilityText_(new TextLabel({}, TextStyle::caption, SystemColor::white)),
      languageTitle_(new TextLabel({}, TextStyle::subheadline, SystemColor::primary)),
      languagePicker_(new QComboBox), aboutRow_(new PlainButton),
      aboutText_(new TextLabel({}, TextStyle::subheadline, SystemColor::primary)), quitRow_(new PlainButton),
      quitText_(new TextLabel({}, TextStyle::subheadline, SystemColor::red)) {
    setObjectName("settingsView");
    AppSettings& settings = environment_.appSettings;
    onlyWhileCharging_ = new SettingsToggleRow([&settings] { return settings.onlyWhileCharging(); },
                                               [&settings](bool on) { settings.setOnlyWhileCharging(on); });
    displayFeatures_ = new SettingsToggleRow([&settings] { return settings.displayFeaturesEnabled(); },
                                             [&settings](bool on) { settings.setDisplayFeaturesEnabled(on); });
    keyboardBacklight_ = new SettingsToggleRow([&settings] { return settings.keyboardBacklightEnabled(); },
                                               [&settings](bool on) { settings.setKeyboardBacklightEnabled(on); });
    launchAtLogin_ = new SettingsToggleRow([&settings] { return settings.launchAtLogin(); },
                                           [&settings](bool on) {
                                               settings.setLaunchAtLogin(on);
                                               settings.updateLaunchAtLogin();
                                           });

    closeButton_->setObjectName("closeButton");
    lowBatterySwitch_->setObjectName("lowBatterySwitch");
    lowBatterySlider_->setObjectName("lowBatterySlider");
    lowBatteryValue_->setObjectName("lowBatteryValue");
    timerSwitch_->setObjectName("timerSwitch");
    timerSlider_->setObjectName("timerSlider");
    timerValue_->setObjectName("timerValue");
    keySwitch_->setObjectName("brightnessKeySwitch");
    accessibilityPrompt_->setObjectName("accessibilityPrompt");
    languagePicker_->setObjectName("languagePicker");
    aboutRow_->setObjectName("aboutRow");
    quitRow_->setObjectName("quitRow");

    auto* header = new AppHeader;
    header->addTrailing(closeButton_);

    // Power.
    auto* power = new QWidget;
    auto* powerColumn = column(power, 0);
    powerColumn->addWidget(onlyWhileCharging_);
    auto* lowBattery = new QWidget;
    auto* lowBatteryColumn = column(lowBattery, 4, QMargins(16, 4, 16, 4));
    lowBatteryColumn->addWidget(switchTitleRow(lowBatteryTitle_, lowBatterySwitch_));
    lowBatteryRow_ = sliderRow(new TextLabel("10%", TextStyle::caption, SystemColor::secondary), lowBatterySlider_,
                               lowBatteryValue_, 32);
    lowBatteryColumn->addWidget(lowBatteryRow_);
    powerColumn->addWidget(lowBattery);
    auto* timer = new QWidget;
    auto* timerColumn = column(timer, 4, QMargins(16, 4, 16, 4));
    timerColumn->addWidget(switchTitleRow(timerTitle_, timerSwitch_));
    timerRow_ = sliderRow(new TextLabel("1m", TextStyle::caption, SystemColor::secondary), timerSlider_, timerValue_, 28);
    timerColumn->addWidget(timerRow_);
    powerColumn->addWidget(timer);

    // Controls.
    auto* controls = new QWidget;
    auto* controlsColumn = column(controls, 0);
    auto* keys = new QWidget;
    auto* keysColumn = column(keys, 4, QMargins(16, 4, 16, 4));
    auto* keyRow = new QHBoxLayout;
    keyRow->setContentsMargins(0, 0, 0, 0);
    auto* keyTexts = new QVBoxLayout;
    keyTexts->setContentsMargins(0, 0, 0, 0);
    keyTexts->setSpacing(0);
    keyTexts->addWidget(keyTitle_);
    keyTexts->addWidget(keySubtitle_);
    keyRow->addLayout(keyTexts);
    keyRow->addStretch(1);
    keyRow->addWidget(keySwitch_);
    keysColumn->addLayout(keyRow);
    accessibilityPrompt_->face()->setContentsMargins(8, 4, 8, 4);
    accessibilityPrompt_->face()->setSpacing(4);
    accessibilityPrompt_->addToFace(
        new SymbolView("hand.raised.fill", TextStyle::caption, Theme::color(SystemColor::white)));
    accessibilityPrompt_->addToFace(accessibilityText_);
    accessibilityPrompt_->setFaceBackground(Theme::color(SystemColor::blue), 4.0);
    accessibilityPrompt_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    keysColumn->addWidget(accessibilityPrompt_, 0, Qt::AlignLeft);
    controlsColumn->addWidget(keys);
    controlsColumn->addWidget(displayFeatures_);
    controlsColumn->addWidget(keyboardBacklight_);

    // General.
    auto* general = new QWidget;
    auto* generalColumn = column(general, 0);
    generalColumn->addWidget(launchAtLogin_);
    auto* language = new QWidget;
    auto* languageRow = new QHBoxLayout(language);
    languageRow->setContentsMargins(16, 4, 16, 4);
    languageRow->addWidget(languageTitle_);
    languageRow->addStretch(1);
    languageRow->addWidget(languagePicker_);
    languagePicker_->setFont(Theme::font(TextStyle::subheadline));
    languagePicker_->setFixedHeight(22);
    languagePicker_->setFocusPolicy(Qt::TabFocus);
    for (const Localization::Language& entry : Localization::supportedLanguages()) {
        languagePicker_->addItem(QString::fromUtf8(entry.name.data(), static_cast<qsizetype>(entry.name.size())),
                                 QString::fromUtf8(entry.code.data(), static_cast<qsizetype>(entry.code.size())));
        // Each name in its own language's letterforms, whatever the interface language.
        languagePicker_->setItemData(languagePicker_->count() - 1,
                                     Theme::languageFont(entry.code).resolve(Theme::font(TextStyle::subheadline)),
                                     Qt::FontRole);
    }
    generalColumn->addWidget(language);

    // Footer.
    auto* footer = new QWidget;
    auto* footerColumn = column(footer, 0);
    aboutRow_->face()->setContentsMargins(16, 4, 16, 4);
    aboutRow_->addToFace(aboutText_);
    aboutRow_->face()->addStretch(1);
    aboutRow_->addToFace(new SymbolView("chevron.right", TextStyle::caption, Theme::color(SystemColor::secondary)));
    footerColumn->addWidget(aboutRow_);
    quitRow_->face()->setContentsMargins(16, 4, 16, 4);
    quitRow_->addToFace(quitText_);
    quitRow_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    footerColumn->addWidget(quitRow_, 0, Qt::AlignHCenter);

    auto* list = new QWidget;
    auto* listColumn = column(list, 8, QMargins(0, 8, 0, 8));
    for (QWidget* item : std::initializer_list<QWidget*>{powerHeader_, power, controlsHeader_, controls, generalHeader_,
                                                         general, new Divider(16), footer}) {
        listColumn->addWidget(item);
    }

    auto* screen = column(this, 0);
    screen->addWidget(header);
    screen->addWidget(new Divider);
    screen->addWidget(new ContentScrollArea(list));

    connect(closeButton_, &QAbstractButton::clicked, this, [navigate] { navigate(AppScreen::main); });
    connect(aboutRow_, &QAbstractButton::clicked, this, [navigate] { navigate(AppScreen::about); });
    connect(quitRow_, &QAbstractButton::clicked, this, [this] { environment_.application.terminate(); });
    connect(lowBatterySwitch_, &ToggleSwitch::switched, this, [&settings](bool on) { settings.setAutoOffLowBattery(on); });
    connect(lowBatterySlider_, &Slider::moved, this,
            [&settings](double value) { settings.setLowBatteryPercent(truncated(value)); });
    connect(timerSwitch_, &ToggleSwitch::switched, this, [&settings](bool on) { settings.setAutoOffTimer(on); });
    connect(timerSlider_, &Slider::moved, this, [&settings](double value) { settings.setTimerMinutes(truncated(value)); });
    connect(keySwitch_, &ToggleSwitch::switched, this, [&settings](bool on) { settings.setBrightnessKeyEnabled(on); });
    connect(accessibilityPrompt_, &QAbstractButton::clicked, this,
            [this] { environment_.workspace.openURL(kAccessibilitySettingsURL); });
    connect(languagePicker_, &QComboBox::activated, this, [this](int index) {
        const QString code = languagePicker_->itemData(index).toString();
        if (!code.isEmpty()) environment_.loc.setCurrentLanguage(code.toStdString());
    });
    refresh();
}

QWidget* SettingsListView::switchTitleRow(TextLabel* title, ToggleSwitch* toggle) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(title);
    layout->addStretch(1);
    layout->addWidget(toggle);
    return row;
}

QWidget* SettingsListView::sliderRow(TextLabel* start, Slider* slider, TextLabel* value, int valueWidth) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(start);
    layout->addWidget(slider, 1);
    value->setFixedWidth(valueWidth);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout->addWidget(value);
    return row;
}

void SettingsListView::refresh() {
    const AppSettings& settings = environment_.appSettings;
    const Localization& loc = environment_.loc;

    powerHeader_->setTitle(text(loc, "power"));
    controlsHeader_->setTitle(text(loc, "controls"));
    generalHeader_->setTitle(text(loc, "general"));

    onlyWhileCharging_->refresh(text(loc, "only_while_charging"));
    lowBatteryTitle_->setText(text(loc, "auto_off_low_battery"));
    lowBatterySwitch_->setOn(settings.autoOffLowBattery());
    lowBatteryRow_->setVisible(settings.autoOffLowBattery());
    const long long percent = settings.lowBatteryPercent();
    lowBatterySlider_->setValue(static_cast<double>(percent));
    lowBatteryValue_->setText(QString::number(percent) + "%");

    timerTitle_->setText(text(loc, "auto_off_timer"));
    timerSwitch_->setOn(settings.autoOffTimer());
    timerRow_->setVisible(settings.autoOffTimer());
    const long long minutes = settings.timerMinutes();
    timerSlider_->setValue(static_cast<double>(minutes));
    timerValue_->setText(QString::number(minutes) + "m");

    keyTitle_->setText(text(loc, "brightness_key_control"));
    keySubtitle_->setText(text(loc, "use_f1_f2"));
    const bool keysEnabled = settings.brightnessKeyEnabled();
    keySwitch_->setOn(keysEnabled);
    // Trust is not observed: it is asked again at every redraw, never prompting.
    accessibilityPrompt_->setVisible(keysEnabled && !environment_.accessibility.isProcessTrusted(false));
    accessibilityText_->setText(text(loc, "enable_in_settings"));
    displayFeatures_->refresh(text(loc, "display_features"));
    keyboardBacklight_->refresh(text(loc, "keyboard_backlight"));

    launchAtLogin_->refresh(text(loc, "launch_at_login"));
    languageTitle_->setText(text(loc, "language"));
    // A stored code that is none of the seven matches no entry.
    const QSignalBlocker quiet(languagePicker_);
    languagePicker_->setCurrentIndex(languagePicker_->findData(QString::fromStdString(loc.currentLanguage())));

    aboutText_->setText(text(loc, "about"));
    quitText_->setText(text(loc, "quit_app"));
}

} // namespace brillex
