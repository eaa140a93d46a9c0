#pragma once

#include <QSettings>
#include <QString>

#include <memory>

#include "base/MainLoop.h"
#include "settings/SettingsStore.h"

namespace brillex {

// The settings store on QSettings. Values keep their types across restarts
// (Booleans, integers and texts), in a JSON file under the user's
// configuration folder ("Brillex/Brillex.json"). Every write is flushed at
// once and followed by a change notification posted on the main loop.
class QSettingsStore : public SettingsStore {
public:
    // The user's own store.
    explicit QSettingsStore(MainLoop& loop);
    // A store in the given file; for tests.
    QSettingsStore(MainLoop& loop, const QString& fileName);
    QSettingsStore(const QSettingsStore&) = delete;
    QSettingsStore& operator=(const QSettingsStore&) = delete;

    std::optional<SettingValue> get(const std::string& key) const override;
    void set(const std::string& key, SettingValue value) override;
    void remove(const std::string& key) override;
    Subscription observeChanges(std::function<void()> changed) override;

    QString fileName() const { return settings_->fileName(); }

private:
    void setAside();
    void flushAndNotify();

    MainLoop& loop_;
    std::unique_ptr<QSettings> settings_;
    // Shared with the posted notification tasks, which do nothing once the store is gone.
    std::shared_ptr<Signal<>> changed_ = std::make_shared<Signal<>>();
};

} // namespace brillex
