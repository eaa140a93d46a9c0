#include "platform/linux/services/PortalAppearance.h"

#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

#include <algorithm>

#include "base/Log.h"

namespace brillex::x11 {
namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString settingsInterface = QStringLiteral("org.freedesktop.portal.Settings");
const QString appearanceNamespace = QStringLiteral("org.freedesktop.appearance");
const QString colorSchemeKey = QStringLiteral("color-scheme");

constexpr unsigned preferDark = 1;

// Read answers a variant inside a variant (a historical quirk of the portal);
// SettingChanged one level less. Unwrapping to the innermost serves both.
QVariant innermost(QVariant value) {
    while (value.metaType() == QMetaType::fromType<QDBusVariant>()) value = value.value<QDBusVariant>().variant();
    return value;
}

} // namespace

PortalAppearance::PortalAppearance(QDBusConnection bus) : bus_(std::move(bus)) {
    bus_.connect(portalService, portalPath, settingsInterface, QStringLiteral("SettingChanged"), this,
                 SLOT(settingChanged(QDBusMessage)));
    askPortal();
}

std::optional<std::string> PortalAppearance::bestMatch(const std::vector<std::string>& names) const {
    askPortal();
    if (!effective_ || std::find(names.begin(), names.end(), *effective_) == names.end()) return std::nullopt;
    return effective_;
}

Subscription PortalAppearance::observeThemeChanges(std::function<void()> changed) {
    return themeChanged_.connect(std::move(changed));
}

void PortalAppearance::askPortal() const {
    if (asking_) return;
    asking_ = true;
    QDBusMessage read = QDBusMessage::createMethodCall(portalService, portalPath, settingsInterface,
                                                       QStringLiteral("Read"));
    read << appearanceNamespace << colorSchemeKey;
    // Parented, so that a reply still on its way dies with us; asking is not a change of our own.
    auto* watcher =
        new QDBusPendingCallWatcher(bus_.asyncCall(read, replyTimeoutMs), const_cast<PortalAppearance*>(this));
    const unsigned asked = changesSeen_;
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, asked](QDBusPendingCallWatcher* call) {
        call->deleteLater();
        asking_ = false;
        const QDBusMessage reply = call->reply();
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1) {
            report("no color-scheme from the desktop portal (" + reply.errorName().toStdString() +
                   ")");
            return;
        }
        // An answer given before the latest SettingChanged would undo it.
        if (asked == changesSeen_) adopt(appearanceOf(reply.arguments().front()));
    });
}

void PortalAppearance::settingChanged(const QDBusMessage& signal) {
    const QVariantList arguments = signal.arguments();
    if (arguments.size() != 3 || arguments[0] != appearanceNamespace || arguments[1] != colorSchemeKey) return;
    ++changesSeen_;
    adopt(appearanceOf(arguments[2]));
}

void PortalAppearance::adopt(const std::optional<std::string>& appearance) const {
    // A signal and a re-read may both bring the same change: it is told once.
    if (!appearance || appearance == effective_) return;
    effective_ = appearance;
    themeChanged_.emit();
}

std::optional<std::string> PortalAppearance::appearanceOf(const QVariant& answer) const {
    const QVariant value = innermost(answer);
    if (value.metaType() != QMetaType::fromType<uint>()) {
        const char* type = value.typeName();
        report("the desktop portal's color-scheme is not a number (" + std::string(type ? type : "nothing") +
               "); ignored");
        return std::nullopt;
    }
    const uint scheme = value.toUInt();
    if (scheme > 2) {
        report("the desktop portal's color-scheme " + std::to_string(scheme) + " is unknown; ignored");
        return std::nullopt;
    }
    lastProblem_.clear();
    return scheme == preferDark ? dark : light;
}

void PortalAppearance::report(const std::string& problem) const {
    if (problem == lastProblem_) return;
    lastProblem_ = problem;
    logLine("PortalAppearance: " + problem);
}

} // namespace brillex::x11
