#include "platform/linux/services/UPowerPowerSources.h"

#include <cmath>

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace brillex::x11 {
namespace {

constexpr const char* kService = "org.freedesktop.UPower";
constexpr const char* kDisplayDevice = "/org/freedesktop/UPower/devices/DisplayDevice";
// UPower's device Type and State values used here.
constexpr uint kTypeBattery = 2;
constexpr uint kTypeUps = 3;
constexpr uint kStateCharging = 1;

QDBusMessage getAll(const char* path, const char* interface) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, path, "org.freedesktop.DBus.Properties", "GetAll");
    call << QString(interface);
    return call;
}

// A property of the wire type UPower documents; a value of any other type
// counts as absent, never converted.
template <class T>
std::optional<T> property(const QVariantMap& properties, const char* name, QMetaType::Type type) {
    const auto found = properties.find(name);
    if (found == properties.end() || found->metaType().id() != type) return std::nullopt;
    return found->value<T>();
}

} // namespace

std::optional<std::vector<PowerSources::Source>> UPowerPowerSources::snapshot() const {
    // Both questions at once, so a slow UPower holds the caller one timeout, not two.
    QDBusPendingReply<QVariantMap> manager =
        bus_.asyncCall(getAll("/org/freedesktop/UPower", "org.freedesktop.UPower"), kTimeoutMs);
    QDBusPendingReply<QVariantMap> device =
        bus_.asyncCall(getAll(kDisplayDevice, "org.freedesktop.UPower.Device"), kTimeoutMs);
    manager.waitForFinished();
    device.waitForFinished();
    if (device.isError()) {
        faults_.once("UPower: no display device (" + device.error().name().toStdString() + "); no power sources");
        return std::vector<Source>{};
    }

    const QVariantMap battery = device.value();
    const auto present = property<bool>(battery, "IsPresent", QMetaType::Bool);
    const auto type = property<uint>(battery, "Type", QMetaType::UInt);
    if (!present || !type) faults_.once("UPower: the display device gives no IsPresent or Type of UPower's types");
    if (!present || !*present || !type || (*type != kTypeBattery && *type != kTypeUps)) return std::vector<Source>{};

    PowerSourceDescription description;
    const auto percentage = property<double>(battery, "Percentage", QMetaType::Double);
    if (percentage && *percentage >= 0.0 && *percentage <= 100.0) {
        description[kPowerSourceCurrentCapacityKey] = static_cast<std::int64_t>(std::llround(*percentage * 100.0));
        description[kPowerSourceMaxCapacityKey] = kMaxCapacity;
    } else {
        faults_.once("UPower: Percentage is not a number from 0 to 100; the charge level is kept");
    }

    const auto onBattery = manager.isError() ? std::nullopt
                                             : property<bool>(manager.value(), "OnBattery", QMetaType::Bool);
    if (onBattery) {
        description[kPowerSourceStateKey] = std::string(*onBattery ? kPowerSourceBatteryPowerValue : "AC Power");
    } else {
        faults_.once("UPower: OnBattery is missing or not a Boolean; the power state is kept");
    }

    if (const auto state = property<uint>(battery, "State", QMetaType::UInt)) {
        description[kPowerSourceIsChargingKey] = *state == kStateCharging;
    } else {
        faults_.once("UPower: State is missing or not a number; charging is kept");
    }
    return std::vector<Source>{description};
}

} // namespace brillex::x11
