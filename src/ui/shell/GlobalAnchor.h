#pragma once

#include <QRect>

namespace brillex {

// A status-item button that tells where it is on the screen, in Qt's global
// coordinates; the popover opens under it. Empty when the system does not say.
class GlobalAnchor {
public:
    virtual ~GlobalAnchor() = default;
    virtual QRect globalGeometry() const = 0;
};

} // namespace brillex
