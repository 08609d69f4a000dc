#include "platform/settings_store.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <cmath>

namespace ovant {

namespace {

QString keyPath(const SettingKey& key) {
    return QString::fromLatin1(key.section) + QLatin1Char('/') + QString::fromLatin1(key.name);
}

}  // namespace

SettingsStore::SettingsStore(QLocale locale) : locale_(std::move(locale)) {
    // A group separator must never be read as part of a number: in a German
    // locale "0.005" would otherwise become 5.
    locale_.setNumberOptions(QLocale::RejectGroupSeparator | QLocale::OmitGroupSeparator);
}

QString SettingsStore::filePath() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(base).filePath(QStringLiteral("OVANT/") + QLatin1String(settings::kApplication) +
                               QStringLiteral(".ini"));
}

QString SettingsStore::getText(const SettingKey& key) const {
    const QSettings store(filePath(), QSettings::IniFormat);
    return store.value(keyPath(key), QString::fromLatin1(key.defaultText)).toString();
}

void SettingsStore::saveText(const SettingKey& key, const QString& value) {
    QSettings store(filePath(), QSettings::IniFormat);
    store.setValue(keyPath(key), value);
    store.sync();
}

std::optional<double> SettingsStore::toNumber(const QString& raw) const {
    const QString text = raw.trimmed();
    if (text.isEmpty()) {
        return std::nullopt;
    }
    bool ok = false;
    double value = locale_.toDouble(text, &ok);
    if (!ok) {
        QString dotted = text;
        dotted.replace(QLatin1Char(','), QLatin1Char('.'));
        QLocale plain = QLocale::c();
        plain.setNumberOptions(QLocale::RejectGroupSeparator);
        value = plain.toDouble(dotted, &ok);
    }
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

double SettingsStore::getNumber(const SettingKey& key) const {
    if (const auto value = toNumber(getText(key))) {
        return *value;
    }
    return toNumber(QString::fromLatin1(key.defaultText)).value_or(0.0);
}

SwitchValue SettingsStore::getSwitch(const SettingKey& key) const {
    const double value = getNumber(key);
    if (value == 1.0) {
        return SwitchValue::On;
    }
    if (value == 0.0) {
        return SwitchValue::Off;
    }
    return SwitchValue::Neither;
}

double SettingsStore::getAniSpeed(const SettingKey& key) const {
    const double value = getNumber(key);
    if (value < 0.0 || value > 1.0) {
        return settings::kDefaultAniSpeed;
    }
    return value;
}

int SettingsStore::getWhole(const SettingKey& key) const {
    double value = getNumber(key);
    if (value < -2147483648.0 || value > 2147483647.0) {
        value = toNumber(QString::fromLatin1(key.defaultText)).value_or(0.0);
    }
    return static_cast<int>(std::lround(value));
}

void SettingsStore::saveSwitch(const SettingKey& key, bool on) {
    saveText(key, on ? QStringLiteral("1") : QStringLiteral("0"));
}

void SettingsStore::saveDecimal(const SettingKey& key, double value) {
    saveText(key, locale_.toString(value, 'g', 15));
}

void SettingsStore::saveWhole(const SettingKey& key, int value) {
    saveText(key, QString::number(value));
}

void applySwitch(const SettingsStore& settings, const SettingKey& key,
                 const std::function<void(bool on)>& apply) {
    if (settings.getSwitch(key) == SwitchValue::On) {
        apply(true);
    }
    if (settings.getSwitch(key) == SwitchValue::Off) {
        apply(false);
    }
}

}  // namespace ovant
