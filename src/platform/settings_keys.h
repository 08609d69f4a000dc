#pragma once

#include <QString>

namespace ovant {

// Every stored setting of both programs, declared once. Sections and keys are
// part of the file format that the console and the screen-saver module share.
enum class SettingKind { Text, Switch, Decimal, Whole };

struct SettingKey {
    const char* section;
    const char* name;
    const char* defaultText;
    SettingKind kind;
};

namespace settings {

inline constexpr const char* kApplication = "OVANT-Scan";
inline constexpr const char* kOptions = "Options";
inline constexpr const char* kScrSav = "ScrSav";

// Section "Options": written by the console.
inline constexpr SettingKey kPath{kOptions, "Path", "", SettingKind::Text};
inline constexpr SettingKey kAutoScan{kOptions, "AutoScan", "1", SettingKind::Switch};
inline constexpr SettingKey kShipScan{kOptions, "ShipScan", "0", SettingKind::Switch};
inline constexpr SettingKey kAniSpeed{kOptions, "AniSpeed", "0.005", SettingKind::Decimal};
inline constexpr SettingKey kAniSpeedStep{kOptions, "AniSpeedStep", "3", SettingKind::Whole};
// How large the console is drawn: a factor ("1", "1.5") or "fit". Only read;
// the user writes it.
inline constexpr SettingKey kScale{kOptions, "Scale", "1", SettingKind::Text};

// Section "ScrSav": written by the screen-saver settings window.
inline constexpr SettingKey kScrRedAlert{kScrSav, "RedAlert", "0", SettingKind::Switch};
inline constexpr SettingKey kScrRedAlertRnd{kScrSav, "RedAlertRnd", "0", SettingKind::Switch};
inline constexpr SettingKey kScrShipScan{kScrSav, "ShipScan", "1", SettingKind::Switch};
inline constexpr SettingKey kScrSound{kScrSav, "Sound", "1", SettingKind::Switch};
inline constexpr SettingKey kScrAutoZoom{kScrSav, "AutoZoom", "0", SettingKind::Switch};
inline constexpr SettingKey kScrAutoZoomRnd{kScrSav, "AutoZoomRnd", "0", SettingKind::Switch};
inline constexpr SettingKey kScrAniSpeed{kScrSav, "AniSpeed", "0.005", SettingKind::Decimal};
inline constexpr SettingKey kScrAniSpeedStep{kScrSav, "AniSpeedStep", "3", SettingKind::Whole};

inline constexpr SettingKey kAll[] = {
    kPath,           kAutoScan,       kShipScan,        kAniSpeed, kAniSpeedStep,
    kScrRedAlert,    kScrRedAlertRnd, kScrShipScan,     kScrSound, kScrAutoZoom,
    kScrAutoZoomRnd, kScrAniSpeed,    kScrAniSpeedStep, kScale};

// Seconds per animation step when nothing sensible is stored.
inline constexpr double kDefaultAniSpeed = 0.005;

}  // namespace settings
}  // namespace ovant
