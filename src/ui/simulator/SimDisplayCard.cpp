#include "ui/simulator/SimDisplayCard.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

#include "ui/kit/TextLabel.h"
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

// One line in the window's own font, shortened with an ellipsis when the
// card is too narrow: the lines above the plot keep to one line each, so the
// plots of neighbouring cards start at the same height.
TextLabel* line(QWidget* parent, bool bold = false) {
    auto* label = new TextLabel({}, TextStyle::body, SystemColor::primary, parent);
    QFont font = parent->font();
    font.setBold(bold);
    label->setFont(font);
    label->setPalette(parent->palette());
    label->setElided(true);
    return label;
}

// Spaces inside parentheses become unbreakable, so that a wrapped line
// breaks between the clauses and not inside a coordinate.
QString breakingBetweenGroups(QString text) {
    int depth = 0;
    for (QChar& c : text) {
        if (c == '(') ++depth;
        else if (c == ')') depth = std::max(0, depth - 1);
        else if (c == ' ' && depth > 0) c = QChar::Nbsp;
    }
    return text;
}

} // namespace

SimDisplayCard::SimDisplayCard(sim::SimComputer& computer, BrightnessManager& manager, DisplayId display,
                               QWidget* parent)
    : QFrame(parent), computer_(computer), manager_(manager), display_(display) {
    setFrameShape(QFrame::StyledPanel);
    // A fixed width: a longer line must not widen this card and squeeze the
    // one beside it.
    setFixedWidth(kWidth);
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(4);
    // The title on one line: a long name gives way, the kind and number stay whole.
    auto* title = new QHBoxLayout();
    title->setSpacing(0);
    name_ = line(this, true);
    name_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    kind_ = new QLabel(this);
    kind_->setFont(name_->font());
    title->addWidget(name_);
    title->addWidget(kind_);
    title->addStretch(1);
    headroom_ = line(this);
    boost_ = line(this);
    plot_ = new TransferCurvePlot(this);
    swatch_ = new GammaPreviewSwatch(this);
    overlay_ = new QLabel(this);
    overlay_->setWordWrap(true);
    layout->addLayout(title);
    layout->addWidget(headroom_);
    layout->addWidget(boost_);
    layout->addWidget(caption(QStringLiteral("Installed transfer table"), this));
    layout->addWidget(plot_);
    layout->addWidget(caption(QStringLiteral("Desktop colours, and as the table shows them"), this));
    layout->addWidget(swatch_);
    layout->addWidget(overlay_);
    refresh();
}

QString SimDisplayCard::nameText() const {
    const auto screen = computer_.screens.screenForDisplay(display_);
    return screen ? QString::fromStdString(screen->name) : QStringLiteral("(removed)");
}

QString SimDisplayCard::kindText() const {
    const QString kind = computer_.screens.isBuiltIn(display_) ? QStringLiteral("built-in") : QStringLiteral("external");
    QString text = QStringLiteral("%1, display %2").arg(kind).arg(display_);
    if (computer_.screens.mainDisplay() == display_) text += QStringLiteral(", main");
    return text;
}

QString SimDisplayCard::titleText() const { return nameText() + QStringLiteral("  ·  ") + kindText(); }

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
    name_->setText(nameText());
    name_->setToolTip(titleText());
    kind_->setText(QStringLiteral("  ·  ") + kindText());
    headroom_->setText(headroomText());
    boost_->setText(boostText());
    boost_->setToolTip(boostText());
    overlay_->setText(breakingBetweenGroups(overlayText()));
    const auto& table = computer_.gamma.table(display_);
    plot_->setCurves(table.red, table.green, table.blue);
    swatch_->setTable(table.red, table.green, table.blue);
}

} // namespace brillex
