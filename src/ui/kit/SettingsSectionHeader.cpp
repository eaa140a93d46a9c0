#include "ui/kit/SettingsSectionHeader.h"

namespace brillex {

SettingsSectionHeader::SettingsSectionHeader(const QString& title, QWidget* parent)
    : TextLabel({}, TextStyle::caption, QFont::Medium, SystemColor::secondary, parent) {
    setContentsMargins(16, 2, 16, 0);
    setTitle(title);
}

void SettingsSectionHeader::setTitle(const QString& title) { setText(title.toUpper()); }

} // namespace brillex
