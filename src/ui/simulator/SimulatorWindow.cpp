#include "ui/simulator/SimulatorWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

#include "keys/KeyboardManager.h"
#include "ui/simulator/SimDisplayCard.h"

namespace brillex {
namespace {

constexpr const char* kACPower = "AC Power";

bool isBattery(const PowerSources::Source& source) {
    return source && source->count(kPowerSourceCurrentCapacityKey) != 0;
}

template <class T>
const T* valueOf(const PowerSourceDescription& description, const char* key) {
    const auto it = description.find(key);
    return it == description.end() ? nullptr : std::get_if<T>(&it->second);
}

} // namespace

const SimulatorWindow::ExternalModel SimulatorWindow::externalModels[3] = {
    {"Pro Display XDR", 3.2},
    {"LG UltraFine 5K", 1.6},
    {"DELL U2723QE", 1.0},
};

SimulatorWindow::SimulatorWindow(sim::SimComputer& computer, BrightnessManager& manager, QWidget* parent)
    : QWidget(parent), computer_(computer), manager_(manager), observer_([this] { refresh(); }) {
    setWindowTitle(QStringLiteral("Brillex: simulated computer"));
    observer_.watch(manager_);
    observer_.watch(manager_.displayManager);
    ticker_.setInterval(1000);
    connect(&ticker_, &QTimer::timeout, this, &SimulatorWindow::refresh);

    auto* layout = new QVBoxLayout(this);
    auto* cards = new QWidget(this);
    cardRow_ = new QHBoxLayout(cards);
    cardRow_->setContentsMargins(0, 0, 0, 0);
    cardRow_->addStretch();
    layout->addWidget(cards, 1);
    layout->addWidget(buildWorldControls());
    refresh();
}

QWidget* SimulatorWindow::buildWorldControls() {
    auto* box = new QGroupBox(QStringLiteral("The world"), this);
    auto* grid = new QVBoxLayout(box);

    auto* external = new QHBoxLayout();
    externalLabel_ = new QLabel(box);
    externalChoice_ = new QComboBox(box);
    for (const auto& model : externalModels) {
        externalChoice_->addItem(QStringLiteral("%1 (headroom %2)").arg(model.name).arg(model.potentialEDR));
    }
    externalButton_ = new QPushButton(box);
    connect(externalButton_, &QPushButton::clicked, this, [this] {
        if (externalDisplay()) removeExternal();
        else attachExternal(externalModels[std::max(0, externalChoice_->currentIndex())]);
    });
    external->addWidget(new QLabel(QStringLiteral("External display:"), box));
    external->addWidget(externalLabel_);
    external->addWidget(externalChoice_);
    external->addWidget(externalButton_);
    external->addStretch();
    grid->addLayout(external);

    auto* power = new QHBoxLayout();
    cable_ = new QCheckBox(QStringLiteral("Power cable connected"), box);
    connect(cable_, &QCheckBox::clicked, this, &SimulatorWindow::setPowerCable);
    charge_ = new QSlider(Qt::Horizontal, box);
    charge_->setRange(0, 100);
    charge_->setMinimumWidth(160);
    connect(charge_, &QSlider::valueChanged, this, &SimulatorWindow::setCharge);
    powerLabel_ = new QLabel(box);
    power->addWidget(cable_);
    power->addWidget(new QLabel(QStringLiteral("Charge:"), box));
    power->addWidget(charge_);
    power->addWidget(powerLabel_);
    power->addStretch();
    grid->addLayout(power);

    auto* keys = new QHBoxLayout();
    auto* down = new QPushButton(QStringLiteral("Brightness down key"), box);
    auto* up = new QPushButton(QStringLiteral("Brightness up key"), box);
    connect(down, &QPushButton::clicked, this, [this] { pressBrightnessKey(false); });
    connect(up, &QPushButton::clicked, this, [this] { pressBrightnessKey(true); });
    keyLabel_ = new QLabel(box);
    keys->addWidget(down);
    keys->addWidget(up);
    keys->addWidget(keyLabel_);
    keys->addStretch();
    grid->addLayout(keys);

    auto* system = new QHBoxLayout();
    appearanceButton_ = new QPushButton(box);
    connect(appearanceButton_, &QPushButton::clicked, this, &SimulatorWindow::toggleAppearance);
    trusted_ = new QCheckBox(QStringLiteral("Trusted for accessibility"), box);
    connect(trusted_, &QCheckBox::clicked, this, &SimulatorWindow::setTrusted);
    system->addWidget(appearanceButton_);
    system->addWidget(trusted_);
    system->addStretch();
    grid->addLayout(system);
    return box;
}

std::optional<DisplayId> SimulatorWindow::externalDisplay() const {
    for (const auto& screen : computer_.screens.screens()) {
        if (screen.displayId && !computer_.screens.isBuiltIn(*screen.displayId)) return screen.displayId;
    }
    return std::nullopt;
}

void SimulatorWindow::attachExternal(const ExternalModel& model) {
    if (externalDisplay()) return;
    DisplayId id = 1;
    Rect beside;
    for (const auto& screen : computer_.screens.screens()) {
        if (screen.displayId) id = std::max(id, *screen.displayId);
        beside.x = std::max(beside.x, screen.frame.x + screen.frame.width);
    }
    Screen screen;
    screen.displayId = id + 1;
    screen.name = model.name;
    screen.maxPotentialEDR = model.potentialEDR;
    screen.maxReferenceEDR = model.potentialEDR;
    screen.frame = Rect{beside.x, 0.0, 2560.0, 1440.0};
    screen.visibleFrame = screen.frame;
    computer_.screens.add(std::move(screen));
    computer_.screens.notifyScreenChange();
    played();
}

void SimulatorWindow::removeExternal() {
    const auto id = externalDisplay();
    if (!id) return;
    computer_.screens.remove(*id);
    computer_.screens.notifyScreenChange();
    played();
}

PowerSourceDescription& SimulatorWindow::battery() {
    auto& list = computer_.powerSources.list;
    if (!list) list.emplace();
    for (auto& source : *list) {
        if (isBattery(source)) return *source;
    }
    list->push_back(PowerSourceDescription{{kPowerSourceCurrentCapacityKey, std::int64_t{80}},
                                           {kPowerSourceMaxCapacityKey, std::int64_t{100}},
                                           {kPowerSourceStateKey, std::string(kACPower)},
                                           {kPowerSourceIsChargingKey, true}});
    return *list->back();
}

void SimulatorWindow::setPowerCable(bool connected) {
    auto& source = battery();
    source[kPowerSourceStateKey] = std::string(connected ? kACPower : kPowerSourceBatteryPowerValue);
    const auto* current = valueOf<std::int64_t>(source, kPowerSourceCurrentCapacityKey);
    const auto* maximum = valueOf<std::int64_t>(source, kPowerSourceMaxCapacityKey);
    source[kPowerSourceIsChargingKey] = connected && current && maximum && *current < *maximum;
    played();
}

void SimulatorWindow::setCharge(int percent) {
    auto& source = battery();
    source[kPowerSourceCurrentCapacityKey] = std::int64_t{std::clamp(percent, 0, 100)};
    source[kPowerSourceMaxCapacityKey] = std::int64_t{100};
    const auto* state = valueOf<std::string>(source, kPowerSourceStateKey);
    source[kPowerSourceIsChargingKey] = state && *state != kPowerSourceBatteryPowerValue && percent < 100;
    played();
}

QString SimulatorWindow::powerText() const {
    const auto& list = computer_.powerSources.list;
    if (!list) return QStringLiteral("the system gives no power-source list");
    for (const auto& source : *list) {
        if (!isBattery(source)) continue;
        const auto* current = valueOf<std::int64_t>(*source, kPowerSourceCurrentCapacityKey);
        const auto* maximum = valueOf<std::int64_t>(*source, kPowerSourceMaxCapacityKey);
        const auto* state = valueOf<std::string>(*source, kPowerSourceStateKey);
        const auto* charging = valueOf<bool>(*source, kPowerSourceIsChargingKey);
        return QStringLiteral("%1 of %2, %3%4 (read at the next 10 s poll)")
            .arg(current ? *current : 0)
            .arg(maximum ? *maximum : 0)
            .arg(state ? QString::fromStdString(*state) : QStringLiteral("no state"))
            .arg(charging && *charging ? QStringLiteral(", charging") : QString());
    }
    return QStringLiteral("no battery: a desktop");
}

bool SimulatorWindow::pressBrightnessKey(bool up) {
    const auto code = static_cast<std::uint32_t>(up ? KeyboardManager::kKeyBrightnessUp : KeyboardManager::kKeyBrightnessDown);
    const auto delivery = computer_.eventTap.inject(sim::SimEventTap::auxiliaryKey(code, true));
    computer_.eventTap.inject(sim::SimEventTap::auxiliaryKey(code, false));
    switch (delivery) {
    case sim::SimEventTap::Delivery::swallowed: keyResult_ = QStringLiteral("taken by Brillex"); break;
    case sim::SimEventTap::Delivery::passed: keyResult_ = QStringLiteral("passed on to the system"); break;
    case sim::SimEventTap::Delivery::noTap: keyResult_ = QStringLiteral("no tap listening: the system handled it"); break;
    }
    played();
    return delivery == sim::SimEventTap::Delivery::swallowed;
}

void SimulatorWindow::toggleAppearance() {
    const bool dark = computer_.appearance.name() == sim::SimAppearance::dark;
    computer_.appearance.setName(dark ? sim::SimAppearance::light : sim::SimAppearance::dark);
    played();
}

void SimulatorWindow::setTrusted(bool trusted) {
    computer_.accessibility.setTrusted(trusted);
    played();
}

void SimulatorWindow::played() {
    // The simulated pieces post their notifications to the simulated
    // computer's own queue; deliver them now, as the system would.
    computer_.loop.runPending();
    refresh();
}

void SimulatorWindow::syncCards() {
    std::vector<DisplayId> attached;
    for (const auto& screen : computer_.screens.screens()) {
        if (screen.displayId && std::find(attached.begin(), attached.end(), *screen.displayId) == attached.end()) {
            attached.push_back(*screen.displayId);
        }
    }
    for (auto it = cards_.begin(); it != cards_.end();) {
        if (std::find(attached.begin(), attached.end(), it->first) == attached.end()) {
            delete it->second;
            it = cards_.erase(it);
        } else {
            ++it;
        }
    }
    for (std::size_t i = 0; i < attached.size(); ++i) {
        auto& card = cards_[attached[i]];
        if (!card) card = new SimDisplayCard(computer_, manager_, attached[i], this);
        // In the system's order, before the closing stretch; each card as
        // tall as its own lines.
        cardRow_->insertWidget(static_cast<int>(i), card, 0, Qt::AlignTop);
    }
}

void SimulatorWindow::refresh() {
    syncCards();
    for (auto& [id, card] : cards_) card->refresh();

    const auto external = externalDisplay();
    if (external) {
        const auto screen = computer_.screens.screenForDisplay(*external);
        externalLabel_->setText(QStringLiteral("%1 attached").arg(QString::fromStdString(screen->name)));
    }
    externalLabel_->setVisible(external.has_value());
    externalChoice_->setVisible(!external);
    externalButton_->setText(external ? QStringLiteral("Remove") : QStringLiteral("Attach"));

    const auto& list = computer_.powerSources.list;
    const PowerSourceDescription* source = nullptr;
    if (list) {
        for (const auto& s : *list) {
            if (isBattery(s)) source = &*s;
        }
    }
    {
        const QSignalBlocker blockCable(cable_);
        const QSignalBlocker blockCharge(charge_);
        const auto* state = source ? valueOf<std::string>(*source, kPowerSourceStateKey) : nullptr;
        cable_->setChecked(!source || !state || *state != kPowerSourceBatteryPowerValue);
        const auto* current = source ? valueOf<std::int64_t>(*source, kPowerSourceCurrentCapacityKey) : nullptr;
        charge_->setValue(current ? static_cast<int>(std::clamp<std::int64_t>(*current, 0, 100)) : 0);
        trusted_->setChecked(computer_.accessibility.trusted());
    }
    powerLabel_->setText(powerText());
    keyLabel_->setText(keyResult_);
    const bool dark = computer_.appearance.name() == sim::SimAppearance::dark;
    appearanceButton_->setText(dark ? QStringLiteral("System appearance: dark (switch to light)")
                                    : QStringLiteral("System appearance: light (switch to dark)"));
}

void SimulatorWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
    ticker_.start();
}

void SimulatorWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    ticker_.stop();
}

} // namespace brillex
