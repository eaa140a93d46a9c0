#include "ui/shell/QSettingsStore.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "base/AsideFiles.h"
#include "base/Log.h"

namespace brillex {

namespace {

bool readJson(QIODevice& device, QSettings::SettingsMap& map) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(device.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) return false;
    const QJsonObject object = document.object();
    for (auto it = object.begin(); it != object.end(); ++it) {
        // Integers come back as qlonglong, other numbers as double.
        map.insert(it.key(), it.value().toVariant());
    }
    return true;
}

bool writeJson(QIODevice& device, const QSettings::SettingsMap& map) {
    QJsonObject object;
    for (auto it = map.begin(); it != map.end(); ++it) object.insert(it.key(), QJsonValue::fromVariant(it.value()));
    return device.write(QJsonDocument(object).toJson(QJsonDocument::Indented)) >= 0;
}

QSettings::Format jsonFormat() {
    static const QSettings::Format format = QSettings::registerFormat("json", readJson, writeJson);
    return format;
}

// A value of a type the store does not hold, as readable text.
QString textOf(const QVariant& value) {
    const QJsonValue json = QJsonValue::fromVariant(value);
    if (json.isArray()) return QString::fromUtf8(QJsonDocument(json.toArray()).toJson(QJsonDocument::Compact));
    if (json.isObject()) return QString::fromUtf8(QJsonDocument(json.toObject()).toJson(QJsonDocument::Compact));
    return value.toString();
}

QString toQString(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

} // namespace

QSettingsStore::QSettingsStore(MainLoop& loop)
    : loop_(loop), settings_(std::make_unique<QSettings>(jsonFormat(), QSettings::UserScope, "Brillex", "Brillex")) {
    setAside();
}

QSettingsStore::QSettingsStore(MainLoop& loop, const QString& fileName)
    : loop_(loop), settings_(std::make_unique<QSettings>(fileName, jsonFormat())) {
    setAside();
}

// A file that is not readable settings would be overwritten by the first
// write; keep it next to the new one instead and start from the defaults.
// Copies kept earlier stay: each gets a number of its own, up to the newest few.
void QSettingsStore::setAside() {
    if (settings_->status() != QSettings::FormatError) return;
    constexpr std::size_t kKeptCopies = 5;
    const std::string path = settings_->fileName().toStdString();
    const std::optional<std::string> kept = setAsideFile(path, ".unreadable", kKeptCopies);
    logLine("Settings: " + path + " is not a readable settings file; " +
            (kept ? "kept as " + *kept + ", using the defaults" : std::string("using the defaults")));
    const QString fileName = settings_->fileName();
    settings_ = std::make_unique<QSettings>(fileName, jsonFormat());
}

std::optional<SettingValue> QSettingsStore::get(const std::string& key) const {
    const QVariant value = settings_->value(toQString(key));
    if (!value.isValid()) return std::nullopt;
    switch (value.typeId()) {
    case QMetaType::Bool: return SettingValue(value.toBool());
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::UInt: return SettingValue(value.toLongLong());
    case QMetaType::QString: return SettingValue(value.toString().toStdString());
    default:
        // Anything else (a fraction, a list someone wrote into the file) is
        // handed over as its text, which the typed readers report and ignore.
        return SettingValue(textOf(value).toStdString());
    }
}

void QSettingsStore::set(const std::string& key, SettingValue value) {
    std::visit(
        [&](const auto& v) {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, bool>) settings_->setValue(toQString(key), v);
            else if constexpr (std::is_same_v<T, long long>) settings_->setValue(toQString(key), static_cast<qlonglong>(v));
            else settings_->setValue(toQString(key), toQString(v));
        },
        value);
    flushAndNotify();
}

void QSettingsStore::remove(const std::string& key) {
    settings_->remove(toQString(key));
    flushAndNotify();
}

void QSettingsStore::flushAndNotify() {
    settings_->sync();
    if (settings_->status() == QSettings::AccessError) {
        logLine(("Settings: could not write " + settings_->fileName()).toStdString());
    }
    std::weak_ptr<Signal<>> weak = changed_;
    loop_.post([weak] {
        if (auto signal = weak.lock()) signal->emit();
    });
}

Subscription QSettingsStore::observeChanges(std::function<void()> changed) {
    return changed_->connect(std::move(changed));
}

} // namespace brillex
