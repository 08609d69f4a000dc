#pragma once

#include <QColor>
#include <array>

#include "platform/settings_keys.h"

// The settings window as designed, in twips relative to the containing
// element; SettingsWindow turns them into pixels in one place.
namespace ovant::options_layout {

struct TwipBox {
    double left;
    double top;
    double width;
    double height;
};

struct Rgb {
    int r;
    int g;
    int b;
    QColor color() const { return QColor(r, g, b); }
};

inline constexpr Rgb kLilac{159, 152, 255};
inline constexpr Rgb kOrange{255, 152, 0};
inline constexpr Rgb kSalmon{207, 103, 96};
inline constexpr Rgb kPeach{255, 207, 159};

inline constexpr double kClientWidth = 9525;
inline constexpr double kClientHeight = 7185;
inline constexpr TwipBox kPicRegMain{0, 0, 9525, 7155};

// Font sizes in pixels, so that text does not follow the X server's DPI.
inline constexpr int kCaptionPixels = 21;
inline constexpr int kHeadingPixels = 32;
inline constexpr int kCheckPixels = 19;

enum class Command { Options, Info, None, Ok, Cancel };

struct ButtonSpec {
    const char* name;
    int captionMember;  // the caption label Label1(n)
    double top;
    double height;
    const char* caption;  // empty: a fresh number when the window opens
    Rgb color;
    Command command;
};

// The left column, 1550 twips wide at Left 135, top to bottom.
inline constexpr double kColumnLeft = 135;
inline constexpr double kColumnWidth = 1550;
inline constexpr std::array<ButtonSpec, 6> kButtons{{
    {"ButtonOben6", 12, 135, 1575, "OPtionen", kPeach, Command::Options},
    {"ButtonOben5", 14, 1755, 495, "Info", kOrange, Command::Info},
    {"ButtonOben4", 16, 2295, 495, "", kOrange, Command::None},
    {"ButtonOben3", 15, 2835, 495, "", kOrange, Command::None},
    {"ButtonOben2", 17, 3375, 1300, "OK", kSalmon, Command::Ok},
    {"ButtonOben1", 11, 4725, 1395, "Abbrechen", kSalmon, Command::Cancel},
}};

// Captions sit in the top right corner of a short button and in the bottom
// right corner of a tall one, as on the console's side buttons.
constexpr TwipBox captionBox(double buttonHeight) {
    constexpr double height = 435;
    return buttonHeight > 1000 ? TwipBox{45, buttonHeight - height - 60, 1440, height}
                               : TwipBox{45, 30, 1440, height};
}

// The corner piece below the column: the column's band bends into an arm
// that runs towards the bar at the bottom and carries the number Label1(13).
inline constexpr TwipBox kShapeOben{135, 6165, 2025, 890};
inline constexpr double kElbowArmHeight = 245;
inline constexpr double kElbowOuterRadius = 600;
inline constexpr double kElbowInnerRadius = 150;
inline constexpr Rgb kShapeObenColor = kSalmon;
inline constexpr TwipBox kNumberOnShape{45, 45, 1440, 435};

inline constexpr TwipBox kTrennOben1{2205, 6810, 7155, 245};
inline constexpr Rgb kTrennOben1Color = kSalmon;

// The options panel and what it holds.
inline constexpr TwipBox kPicOpt{2220, 120, 7155, 6525};
inline constexpr TwipBox kHeading{180, 0, 6975, 720};
inline constexpr Rgb kHeadingColor = kOrange;

enum Switch { RedAlert, RedAlertRnd, AutoZoom, AutoZoomRnd, ScanShips, Sounds, kSwitches };

struct CheckSpec {
    const char* name;
    TwipBox box;
    const char* caption;  // UTF-8; "&" marks the mnemonic
    Rgb color;
    SettingKey key;
};

// In the order the panel shows them.
inline constexpr std::array<CheckSpec, kSwitches> kChecks{{
    {"chkRedAlert", {600, 1080, 2805, 435}, "\"Red &Alert\"-Modus", kLilac, settings::kScrRedAlert},
    {"chkRedAlertRnd", {900, 1650, 1425, 420}, "&Zuf\u00e4llig", kLilac, settings::kScrRedAlertRnd},
    {"chkAutoZoom",
     {600, 2340, 4875, 435},
     "A&utomatischer Zoom beim scannen",
     kOrange,
     settings::kScrAutoZoom},
    {"chkAutoZoomRnd",
     {900, 2910, 1425, 435},
     "Zuf\u00e4lli&g",
     kOrange,
     settings::kScrAutoZoomRnd},
    {"chkScanShips", {600, 3600, 2385, 390}, "Schiffe s&cannen", kPeach, settings::kScrShipScan},
    {"chkSounds",
     {600, 4200, 3615, 435},
     "&Soundeffekte wiedergeben",
     kSalmon,
     settings::kScrSound},
}};

// Each random box follows the switch above it.
struct Dependent {
    Switch leader;
    Switch follower;
};
inline constexpr std::array<Dependent, 2> kDependents{
    {{RedAlert, RedAlertRnd}, {AutoZoom, AutoZoomRnd}}};

// The store is read and written switch by switch in these orders.
inline constexpr std::array<Switch, kSwitches> kReadOrder{RedAlert, RedAlertRnd, ScanShips,
                                                          Sounds,   AutoZoom,    AutoZoomRnd};
inline constexpr std::array<Switch, kSwitches> kSaveOrder{RedAlertRnd, AutoZoom,  AutoZoomRnd,
                                                          RedAlert,    ScanShips, Sounds};

}  // namespace ovant::options_layout
