#pragma once

#include <QLocale>
#include <QString>
#include <functional>
#include <optional>

#include "platform/settings_keys.h"

namespace ovant {

// What a stored switch asks for: "1" on, "0" off, anything else neither, so
// the state the program had before stays.
enum class SwitchValue { On, Off, Neither };

// A settings file larger than this is not ours to read or rewrite.
inline constexpr qint64 kMaxSettingsFileBytes = 16 * 1024 * 1024;

// The per-user store both programs share: an INI file under XDG_CONFIG_HOME
// (default ~/.config), written through to disk on every save so that the
// other program sees the value at once. Nothing is cached between accesses.
//
// A save changes only its own key's line; keys, sections and comments that
// others wrote stay as they are. The file (or a link to it) must be a regular
// file or missing: anything else in its place is never opened or written, and
// the program runs on the defaults. Problems are said once on standard error.
class SettingsStore {
public:
    explicit SettingsStore(QLocale locale = QLocale());

    // The INI file, looked up afresh each time (tests move XDG_CONFIG_HOME).
    static QString filePath();

    QString getText(const SettingKey& key) const;
    void saveText(const SettingKey& key, const QString& value);

    // Reading converts with the user's locale, then with "." or "," as the
    // decimal sign; a text that is no number counts as the key's default.
    double getNumber(const SettingKey& key) const;
    SwitchValue getSwitch(const SettingKey& key) const;
    // Seconds per animation step; anything outside 0 to 1 s is the default,
    // so a changed locale can never turn 0.005 into 5 seconds per step.
    double getAniSpeed(const SettingKey& key) const;
    int getWhole(const SettingKey& key) const;

    void saveSwitch(const SettingKey& key, bool on);
    void saveDecimal(const SettingKey& key, double value);  // in the user's locale
    void saveWhole(const SettingKey& key, int value);

    // Text to number as the console reads it; nullopt when it is none.
    std::optional<double> toNumber(const QString& text) const;

private:
    QLocale locale_;
};

// Applies a stored switch the way the console reads it: on for "1", off for
// "0", each comparison with a read of its own; any other value applies
// neither, so the state the console had before stays.
void applySwitch(const SettingsStore& settings, const SettingKey& key,
                 const std::function<void(bool on)>& apply);

}  // namespace ovant
