#pragma once

#include <QTimer>
#include <QWidget>

#include <map>
#include <optional>

#include "boost/BrightnessManager.h"
#include "platform/sim/SimComputer.h"
#include "ui/screens/ChangeObserver.h"

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QSlider;

namespace brillex {

class SimDisplayCard;

// The simulated computer on screen: a card per attached display showing what
// the boost does to it, and the world's events to play: an external display
// attached or removed, the power cable, the charge level, brightness-key
// presses, the system's own appearance switch and the accessibility trust.
// It reads the simulated computer directly; it redraws when the boost models
// announce a change and, while it is shown, once a second for the rest.
class SimulatorWindow : public QWidget {
    Q_OBJECT
public:
    // The displays that can be attached as the external one.
    struct ExternalModel {
        const char* name;
        double potentialEDR;
    };
    static const ExternalModel externalModels[3];

    SimulatorWindow(sim::SimComputer& computer, BrightnessManager& manager, QWidget* parent = nullptr);

    // Reads everything again now.
    void refresh();

    // The world's events, as the controls play them.
    void attachExternal(const ExternalModel& model);
    void removeExternal();
    void setPowerCable(bool connected);
    void setCharge(int percent);
    // A brightness key going down and up; false when no tap swallowed it.
    bool pressBrightnessKey(bool up);
    void toggleAppearance();
    void setTrusted(bool trusted);

    // The attached external (not built-in) display, if any.
    std::optional<DisplayId> externalDisplay() const;
    const std::map<DisplayId, SimDisplayCard*>& cards() const { return cards_; }
    QString powerText() const;
    QString keyText() const { return keyResult_; }
    bool isRefreshTimerActive() const { return ticker_.isActive(); }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* buildWorldControls();
    void syncCards();
    // After a world event: delivers what it posted, then redraws.
    void played();
    // The simulated battery, made on first use: a computer with a built-in
    // display has one.
    PowerSourceDescription& battery();

    sim::SimComputer& computer_;
    BrightnessManager& manager_;
    ChangeObserver observer_;
    QTimer ticker_;
    std::map<DisplayId, SimDisplayCard*> cards_;
    QString keyResult_;

    QHBoxLayout* cardRow_ = nullptr;
    QLabel* externalLabel_ = nullptr;
    QComboBox* externalChoice_ = nullptr;
    QPushButton* externalButton_ = nullptr;
    QCheckBox* cable_ = nullptr;
    QSlider* charge_ = nullptr;
    QLabel* powerLabel_ = nullptr;
    QLabel* keyLabel_ = nullptr;
    QPushButton* appearanceButton_ = nullptr;
    QCheckBox* trusted_ = nullptr;
};

} // namespace brillex
