#pragma once

#include <QScrollArea>

namespace brillex {

// A vertical scroll area as tall as its content, so that the popover's
// height follows the content; it scrolls only when the screen is shorter.
class ContentScrollArea : public QScrollArea {
    Q_OBJECT
public:
    explicit ContentScrollArea(QWidget* content, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace brillex
