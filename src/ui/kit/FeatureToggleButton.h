#pragma once

#include <QColor>

#include <functional>

#include "ui/kit/PlainButton.h"

namespace brillex {

class SymbolView;
class TextLabel;

// A display feature as a wide button: its symbol in a small square and its
// label, lit in the feature's colour while the feature is on.
class FeatureToggleButton : public PlainButton {
    Q_OBJECT
public:
    FeatureToggleButton(const QString& icon, const QString& label, QColor color, std::function<void()> action,
                        QWidget* parent = nullptr);

    // Whether the feature is on, which decides the look.
    void setFeatureEnabled(bool enabled);
    bool isFeatureEnabled() const { return featureEnabled_; }

    SymbolView* icon() const { return icon_; }
    TextLabel* label() const { return label_; }
    QColor featureColor() const { return color_; }

private:
    QColor color_;
    bool featureEnabled_ = false;
    SymbolView* icon_;
    TextLabel* label_;
};

} // namespace brillex
