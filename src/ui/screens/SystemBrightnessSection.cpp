#include "ui/screens/SystemBrightnessSection.h"

#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>

#include "controls/SystemBrightness.h"
#include "settings/Localization.h"
#include "ui/screens/RowList.h"
#include "ui/screens/SystemBrightnessRowView.h"
#include "ui/kit/TextLabel.h"

namespace brillex {

namespace {

// The built-in display first, the others in the map's order.
std::vector<DisplayId> orderedIds(const SystemBrightness::DisplayStates& states) {
    std::vector<const DisplayBrightnessState*> ordered;
    for (const auto& [id, state] : states) ordered.push_back(state.get());
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const auto* a, const auto* b) { return a->isBuiltIn && !b->isBuiltIn; });
    std::vector<DisplayId> ids;
    for (const auto* state : ordered) ids.push_back(state->id);
    return ids;
}

} // namespace

SystemBrightnessSection::SystemBrightnessSection(const ViewEnvironment& environment, QWidget* parent)
    : QWidget(parent), environment_(environment), rows_(new RowList(8)),
      empty_(new TextLabel({}, TextStyle::caption, SystemColor::secondary)) {
    setObjectName("systemBrightnessSection");
    empty_->setObjectName("noDisplay");
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 12, 16, 0);
    column->setSpacing(8);
    column->addWidget(rows_);
    column->addWidget(empty_);
}

void SystemBrightnessSection::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    environment_.systemBrightness.refreshDisplays();
    environment_.systemBrightness.refreshBrightness();
}

void SystemBrightnessSection::refresh() {
    const auto& states = environment_.systemBrightness.displayStates.get();
    const auto rows = rows_->sync<SystemBrightnessRowView>(
        orderedIds(states), [this](DisplayId id) { return new SystemBrightnessRowView(environment_, id); });
    for (auto* row : rows) row->refresh();
    rows_->setVisible(!states.empty());
    empty_->setVisible(states.empty());
    empty_->setText(QString::fromStdString(environment_.loc.localized("no_display")));
}

std::vector<SystemBrightnessRowView*> SystemBrightnessSection::rows() const {
    return rows_->rows<SystemBrightnessRowView>();
}

} // namespace brillex
