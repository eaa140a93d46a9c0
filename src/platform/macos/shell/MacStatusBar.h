#pragma once

#include "app/StatusBar.h"

namespace brillex::macos {

// The menu bar's status items (NSStatusBar), with template symbol images
// that follow the menu bar's appearance.
class MacStatusBar : public StatusBar {
public:
    std::unique_ptr<StatusItem> statusItemWithLength(double length) override;
};

} // namespace brillex::macos
