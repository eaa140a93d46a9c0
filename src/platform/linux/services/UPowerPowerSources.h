#pragma once

#include <QDBusConnection>

#include "platform/linux/services/FaultLog.h"
#include "power/PowerSources.h"

namespace brillex::x11 {

// The power sources as UPower on the system bus tells them: its display
// device (the battery as the desktop shows it) becomes the one source when
// it is a present battery; a computer without one, or without UPower, has
// none. Each snapshot asks UPower afresh, waiting a second at most.
class UPowerPowerSources : public PowerSources {
public:
    static constexpr int kTimeoutMs = 1000;
    // "Current Capacity" counts hundredths of a percent against this
    // maximum, so a fractional percentage survives the integer keys.
    static constexpr std::int64_t kMaxCapacity = 10000;

    explicit UPowerPowerSources(QDBusConnection systemBus) : bus_(std::move(systemBus)) {}

    std::optional<std::vector<Source>> snapshot() const override;

private:
    QDBusConnection bus_;
    mutable FaultLog faults_;
};

} // namespace brillex::x11
