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

namespace palette {
inline const QColor kLilac{159, 152, 255};
inline const QColor kOrange{255, 152, 0};
inline const QColor kSalmon{207, 103, 96};
inline const QColor kPeach{255, 207, 159};
inline const QColor kMauve{191, 151, 191};
inline const QColor kAlertRed{207, 0, 0};
}  // namespace palette

}  // namespace ovant

namespace ovant {
class ElementTree;
// Paints every element of the scheme table in the given scheme, visible or not.
void applyScheme(ElementTree& tree, Scheme scheme);
}  // namespace ovant
