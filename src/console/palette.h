#pragma once

#include <QColor>
#include <QString>
#include <vector>

namespace ovant {

enum class Scheme { Normal = 1, RedAlert = 2 };

// The button palette: index 1 to 4 in mode 1 (normal) or 2 (red alert);
// anything else is black.
QColor changeColor(int index, int mode);

// Which property of an element a scheme sets.
enum class SchemeProperty { Text, Background, Fill, LineColour, Picture };

// One row of the scheme table: elements, property, and the value in each
// scheme. A picture row names pictures of the picture store; an empty red
// value means red alert leaves the element alone.
struct SchemeRow {
    std::vector<QString> elements;
    SchemeProperty property;
    QColor normal;
    QColor red;
    QString normalPicture;
    QString redPicture;
};

// The frame, scanner, panels and side buttons in the order the normal scheme
// paints them (numbers and sector objects have their own operations).
const std::vector<SchemeRow>& schemeTable();

// Every colour the console shows, by name.
namespace palette {
inline const QColor kLilac{159, 152, 255};
inline const QColor kOrange{255, 152, 0};
inline const QColor kSalmon{207, 103, 96};
inline const QColor kPeach{255, 207, 159};
inline const QColor kMauve{191, 151, 191};
inline const QColor kMauveBlock{192, 152, 192};  // the block beside the upper elbow
inline const QColor kAmber{240, 151, 0};
inline const QColor kSand{240, 183, 111};
inline const QColor kBarGrey{80, 80, 80};
inline const QColor kWhite{255, 255, 255};
// Numbers of the number panel, two tones in each scheme.
inline const QColor kNumberLavender{165, 165, 222};
inline const QColor kNumberOrange{222, 132, 0};
// The sector: stars, its grid of sector lines and their captions.
inline const QColor kStar{224, 224, 224};
inline const QColor kGridLine{128, 128, 128};
inline const QColor kGridEdge{192, 192, 192};
inline const QColor kGridCaption{192, 192, 192};
// Red alert.
inline const QColor kAlertRed{207, 0, 0};
inline const QColor kAlertDark{159, 0, 0};
inline const QColor kAlertDeep{120, 0, 0};
inline const QColor kAlertBright{245, 0, 0};
inline const QColor kAlertText{255, 0, 0};
}  // namespace palette

// Colours that follow the scheme in force, outside the scheme table.
QColor numberTone(Scheme scheme, int tone);  // tone 1 or 2
QColor objectMarkerColour(Scheme scheme);
QColor objectLabelColour(Scheme scheme);
QColor shipInfoColour(Scheme scheme);

}  // namespace ovant

namespace ovant {
class ElementTree;
// Paints every element of the scheme table in the given scheme, visible or not.
void applyScheme(ElementTree& tree, Scheme scheme);
}  // namespace ovant
