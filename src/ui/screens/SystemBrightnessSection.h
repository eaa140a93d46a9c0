#pragma once

#include <QWidget>

#include "ui/screens/ViewEnvironment.h"

namespace brillex {

class RowList;
class SystemBrightnessRowView;
class TextLabel;

// The first section of the main screen: one brightness row per display, the
// built-in one first, or "no_display". Every showing re-reads the displays
// and their values.
class SystemBrightnessSection : public QWidget {
    Q_OBJECT
public:
    explicit SystemBrightnessSection(const ViewEnvironment& environment, QWidget* parent = nullptr);

    void refresh();
    std::vector<SystemBrightnessRowView*> rows() const;
    TextLabel* empty() const { return empty_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    ViewEnvironment environment_;
    RowList* rows_;
    TextLabel* empty_;
};

} // namespace brillex
