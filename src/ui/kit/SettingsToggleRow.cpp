#include "ui/kit/SettingsToggleRow.h"

#include <QHBoxLayout>

#include "ui/kit/TextLabel.h"
#include "ui/kit/ToggleSwitch.h"

namespace brillex {

SettingsToggleRow::SettingsToggleRow(std::function<bool()> isOn, std::function<void(bool)> setOn, QWidget* parent)
    : QWidget(parent), isOn_(std::move(isOn)), title_(new TextLabel({}, TextStyle::subheadline, SystemColor::primary)),
      switch_(new ToggleSwitch(ToggleSwitch::Size::mini)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 4, 16, 4);
    row->addWidget(title_);
    row->addStretch(1);
    row->addWidget(switch_);
    connect(switch_, &ToggleSwitch::switched, this, [setOn = std::move(setOn)](bool on) { setOn(on); });
}

void SettingsToggleRow::refresh(const QString& title) {
    title_->setText(title);
    switch_->setOn(isOn_());
}

} // namespace brillex
