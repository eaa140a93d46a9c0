// Any bytes as the settings file, as a hand edit or a half-written file
// leaves it: the store opens it or sets it aside, and every setting then
// reads as a value of its type.
#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

#include "base/Log.h"
#include "base/ManualLoop.h"
#include "platform/sim/SimLoginItems.h"
#include "settings/AppSettings.h"
#include "ui/shell/QSettingsStore.h"

using namespace brillex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const LogCapture quiet;
    static QTemporaryDir folder;
    static const QString path = folder.filePath("Brillex.json");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    ManualLoop loop;
    QSettingsStore store(loop, path);
    sim::SimLoginItems loginItems;
    AppSettings settings(store, loginItems);
    (void)settings.onlyWhileCharging();
    (void)settings.autoOffLowBattery();
    (void)settings.lowBatteryPercent();
    (void)settings.autoOffTimer();
    (void)settings.timerMinutes();
    (void)settings.launchAtLogin();
    (void)settings.brightnessKeyEnabled();
    (void)settings.keyboardBacklightEnabled();
    (void)settings.displayFeaturesEnabled();
    // A write after reading what was there keeps the file readable.
    settings.setTimerMinutes(5);
    loop.runPending();
    QSettingsStore reopened(loop, path);
    if (!reopened.get("timerMinutes") || *reopened.get("timerMinutes") != SettingValue(5LL)) std::abort();
    return 0;
}
