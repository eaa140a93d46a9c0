#pragma once

#include <QFrame>

#include "boost/BrightnessManager.h"
#include "platform/sim/SimComputer.h"

class QLabel;

namespace brillex {

class GammaPreviewSwatch;
class TransferCurvePlot;

// One simulated display in the simulator window: its name and headroom, the
// boost the program holds for it, the transfer table installed on it (as a
// curve and as colours seen through it) and its overlay window.
class SimDisplayCard : public QFrame {
    Q_OBJECT
public:
    static constexpr int kWidth = 360;

    SimDisplayCard(sim::SimComputer& computer, BrightnessManager& manager, DisplayId display,
                   QWidget* parent = nullptr);

    DisplayId display() const { return display_; }
    // Reads the simulated computer and the boost state again.
    void refresh();

    QString titleText() const;
    QString headroomText() const;
    QString boostText() const;
    QString overlayText() const;

    const TransferCurvePlot* plot() const { return plot_; }
    const QLabel* overlayLabel() const { return overlay_; }

private:
    QString nameText() const;
    QString kindText() const;

    sim::SimComputer& computer_;
    BrightnessManager& manager_;
    DisplayId display_;
    QLabel* name_;
    QLabel* kind_;
    QLabel* headroom_;
    QLabel* boost_;
    QLabel* overlay_;
    TransferCurvePlot* plot_;
    GammaPreviewSwatch* swatch_;
};

} // namespace brillex
