#pragma once

#include <array>

#include "elements/element_factory.h"

// Where everything of the info window lies, in twips relative to its container.
namespace ovant::info {

// The window's designed client area and the picture that holds everything.
inline constexpr double kClientWidth = 9510;
inline constexpr double kClientHeight = 7155;
inline constexpr Box kPicInfoMain{0, 0, 9525, 7155};

enum class Page { None, About, Concept, Credits, Copyrights, Help };

// The left column: five page buttons and Exit, each with its caption, a
// member of the window's own Label1 group.
struct ColumnButton {
    const char* name;
    Box box;
    int captionMember;
    const char* caption;
    Page opens;  // None: leaves the window
};

inline constexpr std::array<ColumnButton, 6> kColumn{{
    {"ButtonOben6", {120, 120, 1550, 1575}, 12, "Über das Programm ", Page::About},
    {"ButtonOben5", {120, 1740, 1550, 495}, 14, "OVANT?", Page::Concept},
    {"ButtonOben4", {120, 2280, 1550, 495}, 16, "Credits", Page::Credits},
    {"ButtonOben3", {120, 2820, 1550, 495}, 15, "Copyrights", Page::Copyrights},
    {"ButtonOben2", {120, 3360, 1550, 1300}, 17, "Hilfe", Page::Help},
    {"ButtonOben1", {120, 4710, 1550, 1395}, 11, "Exit", Page::None},
}};

// Captions sit right-aligned at the bottom of their buttons, as on the
// console's side buttons; the tall about button wraps its long caption.
inline constexpr double kCaptionInset = 120;
inline constexpr double kCaptionRow = 435;

// The frame corner that bends from the column into the bar, and the bar.
inline constexpr Box kShapeOben{120, 6150, 2085, 885};
inline constexpr Box kCornerCaption{120, 60, 1305, 435};  // Label1(13)
inline constexpr Box kTrennOben1{2190, 6795, 7155, 245};

// Every page lies at the same place; at most one shows.
inline constexpr Box kPage{2190, 120, 7155, 6525};

// The help page's picture of the console and the items that explain it.
inline constexpr Box kPicHelpInt{-30, 870, 7050, 5025};
// The picture shows the console picture (11745 x 8355 twips) at 473 x 335 px.
inline constexpr double kHelpPictureWidthPx = 473;
inline constexpr double kHelpPictureHeightPx = 335;
inline constexpr double kConsoleWidth = 11745;
inline constexpr double kConsoleHeight = 8355;

inline constexpr double kHelpDot = 135;
inline constexpr double kHelpLineThick = 15;  // horizontal lines
inline constexpr double kHelpLineWide = 25;   // vertical lines
inline constexpr double kHelpLineStep = 100;  // growth per step pause

struct HelpLine {
    const char* name;
    double left;
    double top;
    double length;  // final width of a horizontal, height of a vertical line
    bool vertical;
};

// What a help item explains on the console picture.
enum class Explains { Exit, Panel, AutoScan, RedAlert, InfoLabels, Ship, ScanShips, EndScan };

struct HelpItem {
    int number;
    double dotLeft;
    double dotTop;
    std::array<HelpLine, 2> lines;  // the second is unused when its name is empty
    Box label;
    const char* text;
    Explains explains;
};

// In the order the items appear.
inline constexpr std::array<HelpItem, 8> kHelpItems{{
    {1,
     570,
     105,
     {{{"hlpLine1", 690, 165, 975, false}, {"", 0, 0, 0, false}}},
     {1740, 60, 1185, 210},
     "Programm beenden",
     Explains::Exit},
    {8,
     1680,
     750,
     {{{"hlpLine8_1", 1740, 870, 960, true}, {"hlpLine8_2", 1740, 1810, 555, false}}},
     {2370, 1710, 2505, 450},
     "Klicken Sie auf das Schema oder auf den Namen für eine vergrößerte Ansicht.",
     Explains::Panel},
    {9,
     4800,
     960,
     {{{"hlpLine9_1", 4860, 1080, 755, true}, {"hlpLine9_2", 4890, 1810, 555, false}}},
     {5490, 1710, 1500, 450},
     "Objekte automatisch scannen",
     Explains::AutoScan},
    {2,
     570,
     2235,
     {{{"hlpLine2", 690, 2295, 975, false}, {"", 0, 0, 0, false}}},
     {1740, 2190, 3315, 210},
     "Aktiviert den \"Red Alert\"-Farb- und Animationsmodus",
     Explains::RedAlert},
    {3,
     3780,
     2595,
     {{{"hlpLine3", 3900, 2655, 975, false}, {"", 0, 0, 0, false}}},
     {4950, 2550, 1755, 930},
     "Klicken Sie auf die Infofelder neben den Objekten, um sie zu scannen.",
     Explains::InfoLabels},
    {4,
     570,
     3225,
     {{{"hlpLine4", 690, 3285, 975, false}, {"", 0, 0, 0, false}}},
     {1740, 3180, 3030, 210},
     "Lässt sofort ein Schiff durch den Sektor fliegen.",
     Explains::Ship},
    {5,
     570,
     3495,
     {{{"hlpLine5", 690, 3555, 975, false}, {"", 0, 0, 0, false}}},
     {1740, 3450, 4515, 450},
     "Wenn aktiviert, wird der Scanfokus sofort auf ein Schiff gesetzt, wenn es den Sektor "
     "durchquert. (Sonst durch Klick auf das Schiff scannen.)",
     Explains::ScanShips},
    {6,
     540,
     3975,
     {{{"hlpLine6", 660, 4035, 975, false}, {"", 0, 0, 0, false}}},
     {1740, 3930, 855, 210},
     "Scan beenden",
     Explains::EndScan},
}};

}  // namespace ovant::info
