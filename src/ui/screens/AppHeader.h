#pragma once

#include <QWidget>

class QHBoxLayout;

namespace brillex {

class PlainButton;

// The top row of the main and settings screens: the sun, the name "Brillex"
// (the same in every language), a flexible space, then the screen's own items.
class AppHeader : public QWidget {
    Q_OBJECT
public:
    explicit AppHeader(QWidget* parent = nullptr);

    // Appends an item at the right end.
    void addTrailing(QWidget* item);
    // A plain borderless button showing a symbol in title3, secondary colour.
    static PlainButton* symbolButton(const QString& symbol, QWidget* parent = nullptr);

private:
    QHBoxLayout* row_;
};

} // namespace brillex
