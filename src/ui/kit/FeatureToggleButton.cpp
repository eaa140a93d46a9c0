#include "ui/kit/FeatureToggleButton.h"

#include <QHBoxLayout>

#include "ui/kit/SymbolView.h"
#include "ui/kit/TextLabel.h"

namespace brillex {

FeatureToggleButton::FeatureToggleButton(const QString& icon, const QString& label, QColor color,
                                         std::function<void()> action, QWidget* parent)
    : PlainButton(parent), color_(color), icon_(new SymbolView(icon, TextStyle::caption2, color)),
      label_(new TextLabel(label, TextStyle::caption2, SystemColor::secondary)) {
    icon_->setFontPixelSize(12);
    label_->setElided(false);
    face()->setContentsMargins(8, 4, 8, 4);
    face()->setSpacing(6);
    face()->addStretch(1);
    addToFace(icon_);
    addToFace(label_);
    face()->addStretch(1);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(this, &QAbstractButton::clicked, this, [action = std::move(action)] { action(); });
    featureEnabled_ = true; // so that the next call draws the off look
    setFeatureEnabled(false);
}

void FeatureToggleButton::setFeatureEnabled(bool enabled) {
    if (enabled == featureEnabled_) return;
    featureEnabled_ = enabled;
    setFaceBackground(enabled ? Theme::withOpacity(color_, 0.15) : Theme::withOpacity(Theme::color(SystemColor::gray), 0.1),
                      8.0);
    icon_->setColor(enabled ? Theme::color(SystemColor::white) : color_);
    icon_->setBadge(20, enabled ? color_ : Theme::withOpacity(Theme::color(SystemColor::gray), 0.3), 5.0);
    label_->setColor(enabled ? SystemColor::primary : SystemColor::secondary);
}

} // namespace brillex
