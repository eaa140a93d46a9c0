#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>

#include <optional>
#include <string>

#include "base/Signal.h"
#include "controls/Appearance.h"

class QVariant;

namespace brillex::x11 {

// The desktop's colour scheme as the XDG desktop portal publishes it
// (org.freedesktop.appearance color-scheme, 1 = prefer dark), seen as the
// dark or the light appearance. Reads never wait: the last answer is served
// and a fresh one is asked for. Every change of the appearance, by
// SettingChanged or by an answer, is announced as the theme notification.
// Without a portal nothing matches, which the caller takes as light.
class PortalAppearance : public QObject, public Appearance {
    Q_OBJECT
public:
    static constexpr const char* dark = "NSAppearanceNameDarkAqua";
    static constexpr const char* light = "NSAppearanceNameAqua";
    static constexpr int replyTimeoutMs = 1000;

    // `bus`: the session bus the portal serves.
    explicit PortalAppearance(QDBusConnection bus);

    std::optional<std::string> bestMatch(const std::vector<std::string>& names) const override;
    Subscription observeThemeChanges(std::function<void()> changed) override;

private Q_SLOTS:
    // Any SettingChanged, whatever its signature: a malformed one is ignored.
    void settingChanged(const QDBusMessage& signal);

private:
    void askPortal() const;
    // The appearance a color-scheme value stands for; none, logged, for nonsense.
    std::optional<std::string> appearanceOf(const QVariant& value) const;
    // Takes a valid appearance, announcing it when it differs from the last one.
    void adopt(const std::optional<std::string>& appearance) const;
    // Logs a problem once, until an answer comes through again.
    void report(const std::string& problem) const;

    QDBusConnection bus_;
    mutable std::optional<std::string> effective_;
    mutable bool asking_ = false;
    unsigned changesSeen_ = 0;  // SettingChanged signals of the color-scheme so far
    mutable std::string lastProblem_;
    mutable Signal<> themeChanged_;
};

} // namespace brillex::x11
