#pragma once

#include <QWidget>

namespace brillex {

// One screen of the popover. The root view calls refresh() on the next turn
// after any model it shows announces a change.
class ScreenView : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    virtual void refresh() = 0;
};

} // namespace brillex
