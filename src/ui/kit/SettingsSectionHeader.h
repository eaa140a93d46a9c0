#pragma once

#include "ui/kit/TextLabel.h"

namespace brillex {

// A section title of the settings screen: caption, medium weight, secondary
// colour, in upper case (scripts without case stay as they are).
class SettingsSectionHeader : public TextLabel {
    Q_OBJECT
public:
    explicit SettingsSectionHeader(const QString& title = {}, QWidget* parent = nullptr);

    void setTitle(const QString& title);
};

} // namespace brillex
