#include "ui/screens/XDRBoostSection.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>

#include "boost/BrightnessManager.h"
#include "controls/SystemBrightness.h"
#include "power/BatteryMonitor.h"
#include "settings/AppSettings.h"
#include "settings/Localization.h"
#include "ui/screens/RowList.h"
#include "ui/kit/TextLabel.h"
#include "ui/kit/ToggleSwitch.h"
#include "ui/screens/XDRDisplayRowView.h"

namespace brillex {

namespace {

bool batteryForbidsBoost(const ViewEnvironment& environment) {
    return environment.appSettings.onlyWhileCharging() && environment.batteryMonitor.isOnBattery.get();
}

bool anyCapable(const BrightnessManager& manager) {
    for (const auto& [id, state] : manager.displayStates.get()) {
        if (state->isXDRCapable()) return true;
    }
    return false;
}

} // namespace

XDRBoostSection::XDRBoostSection(const ViewEnvironment& environment, QWidget* parent)
    : QWidget(parent), environment_(environment),
      title_(new TextLabel({}, TextStyle::caption, SystemColor::secondary)),
      master_(new ToggleSwitch(ToggleSwitch::Size::small)), rows_(new RowList(8)),
      empty_(new TextLabel({}, TextStyle::caption, SystemColor::secondary)) {
    setObjectName("xdrSection");
    title_->setObjectName("xdrTitle");
    master_->setObjectName("masterSwitch");
    master_->setTint(Theme::color(SystemColor::orange));
    empty_->setObjectName("noXdrDisplay");

    auto* header = new QHBoxLayout;
    header->setContentsMargins(0, 0, 0, 0);
    header->addWidget(title_);
    header->addStretch(1);
    header->addWidget(master_);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 0, 16, 0);
    column->setSpacing(8);
    column->addLayout(header);
    column->addWidget(rows_);
    column->addWidget(empty_);

    connect(master_, &ToggleSwitch::switched, this, [this](bool on) {
        if (on) masterSwitchOn(environment_);
        else environment_.brightnessManager.disableAllBoosts();
    });
}

bool XDRBoostSection::masterSwitchValue(const BrightnessManager& manager) {
    for (const auto& [id, state] : manager.displayStates.get()) {
        if (state->isXDRCapable() && state->isBoostEnabled.get()) return true;
    }
    return false;
}

void XDRBoostSection::masterSwitchOn(const ViewEnvironment& environment) {
    if (batteryForbidsBoost(environment)) return;
    BrightnessManager& manager = environment.brightnessManager;
    if (DisplayBoostState* builtIn = manager.builtInDisplayState(); builtIn && builtIn->isXDRCapable()) {
        builtIn->setBoostEnabled(true);
        return;
    }
    for (const auto& [id, state] : manager.displayStates.get()) {
        if (state->isXDRCapable()) {
            state->setBoostEnabled(true);
            return;
        }
    }
}

void XDRBoostSection::refresh() {
    const BrightnessManager& manager = environment_.brightnessManager;
    const Localization& loc = environment_.loc;
    title_->setText(QString::fromStdString(loc.localized("xdr_boost")));
    master_->setVisible(anyCapable(manager));
    master_->setOn(masterSwitchValue(manager));
    master_->setEnabled(!batteryForbidsBoost(environment_));

    // A row needs both the boost state and the brightness state of its display.
    const auto xdrDisplays = environment_.displayManager.xdrDisplays();
    const auto& brightnessStates = environment_.systemBrightness.displayStates.get();
    std::vector<DisplayInfo> shown;
    std::vector<DisplayId> ids;
    for (const DisplayInfo& display : xdrDisplays) {
        if (!manager.state(display.id) || !brightnessStates.count(display.id)) continue;
        shown.push_back(display);
        ids.push_back(display.id);
    }
    const auto rows = rows_->sync<XDRDisplayRowView>(ids, [this, &shown, &ids](DisplayId id) {
        const auto at = std::find(ids.begin(), ids.end(), id) - ids.begin();
        return new XDRDisplayRowView(environment_, shown[static_cast<std::size_t>(at)]);
    });
    for (std::size_t i = 0; i < rows.size(); ++i) rows[i]->refresh(shown[i]);

    rows_->setVisible(!ids.empty());
    empty_->setVisible(xdrDisplays.empty());
    empty_->setText(QString::fromStdString(loc.localized("no_xdr_display")));
}

std::vector<XDRDisplayRowView*> XDRBoostSection::rows() const { return rows_->rows<XDRDisplayRowView>(); }

} // namespace brillex
