#include "ui/simulator/SimDisplayCard.h"

#include <QLabel>
#include <QVBoxLayout>

#include "ui/simulator/GammaPreviewSwatch.h"
#include "ui/simulator/TransferCurvePlot.h"

namespace brillex {
namespace {

// At most `places` decimals, trailing zeros dropped down to one (2.0, 0.65):
// the window is read by a person, unlike the log.
QString number(double value, int places = 3) {
    QString text = QString::number(value, 'f', places);
    while (text.endsWith('0') && text.at(text.size() - 2) != '.') text.chop(1);
    return text;
}

QLabel* caption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPixelSize(10);
    label->setFont(font);
    return label;
}

} // namespace

SimDisplayCard::SimDisplayCard(sim::SimComputer& computer, BrightnessManager& manager, DisplayId display,
                               QWidget* parent)
    : QFrame(parent), computer_(computer), manager_(manager), display_(display) {
    setFrameShape(QFrame::StyledPanel);
    // A fixed width, with the texts wrapping inside it: a longer line must not
    // widen this card and squeeze the one beside it.
    setFixedWidth(kWidth);
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(4);
    title_ = new QLabel(this);
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    headroom_ = new QLabel(this);
    boost_ = new QLabel(this);
    plot_ = new TransferCurvePlot(this);
    swatch_ = new GammaPreviewSwatch(this);
    overlay_ = new QLabel(this);
    for (QLabel* label : {title_, headroom_, boost_, overlay_}) label->setWordWrap(true);
    layout->addWidget(title_);
    layout->addWidget(headroom_);
    layout->addWidget(boost_);
    layout->addWidget(caption(QStringLiteral("Installed transfer table"), this));
    layout->addWidget(plot_);
    layout->addWidget(caption(QStringLiteral("Desktop colours, and as the table shows them"), this));
    layout->addWidget(swatch_);
    layout->addWidget(overlay_);
    layout->addStretch();
    refresh();
}

QString SimDisplayCard::titleText() const {
    const auto screen = computer_.screens.screenForDisplay(display_);
    const QString name = screen ? QString::fromStdString(screen->name) : QStringLiteral("(removed)");
    const QString kind = computer_.screens.isBuiltIn(display_) ? QStringLiteral("built-in") : QStringLiteral("external");
    QString text = QStringLiteral("%1  ·  %2, display %3").arg(name, kind).arg(display_);
    if (computer_.screens.mainDisplay() == display_) text += QStringLiteral(", main");
    return text;
}

QString SimDisplayCard::headroomText() const {
    const auto screen = computer_.screens.screenForDisplay(display_);
    if (!screen) return QString();
    return QStringLiteral("Headroom: potential %1, reference %2")
        .arg(number(screen->maxPotentialEDR), number(screen->maxReferenceEDR));
}

QString SimDisplayCard::boostText() const {
    const DisplayBoostState* state = manager_.state(display_);
    if (!state) return QStringLiteral("No boost state: not an extended-range display");
    if (!state->isBoostEnabled) {
        return QStringLiteral("Boost off (up to %1 nits, edr up to %2)")
            .arg(state->maxNitsAvailable.get())
            .arg(number(state->maxBoostMultiplier(), 2));
    }
    return QStringLiteral("Boost on: level %1, edr %2, +%3 %, %4 nits")
        .arg(number(state->boostLevel.get(), 2), number(state->edr(), 2))
        .arg(state->boostPercent.get())
        .arg(state->currentNits.get());
}

QString SimDisplayCard::overlayText() const {
    const auto* overlay = computer_.edrOutput.overlay(display_);
    if (!overlay) return QStringLiteral("Overlay: none");
    const auto& frame = overlay->settings.contentRect;
    QString text = QStringLiteral("Overlay: shown at (%1, %2), %3 × %4")
                       .arg(number(frame.x), number(frame.y), number(frame.width), number(frame.height));
    if (overlay->color) {
        text += QStringLiteral(", clear colour (%1, %2, %3, %4)")
                    .arg(number(overlay->color->red), number(overlay->color->green), number(overlay->color->blue),
                         number(overlay->color->alpha));
    }
    return text + QStringLiteral(", %1 frames").arg(overlay->frames);
}

void SimDisplayCard::refresh() {
    title_->setText(titleText());
    headroom_->setText(headroomText());
    boost_->setText(boostText());
    overlay_->setText(overlayText());
    const auto& table = computer_.gamma.table(display_);
    plot_->setCurves(table.red, table.green, table.blue);
    swatch_->setTable(table.red, table.green, table.blue);
}

} // namespace brillex
