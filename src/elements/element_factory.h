#pragma once

#include <QColor>
#include <QString>

#include "elements/element_tree.h"

namespace ovant {

// A box in twips: left, top, width, height.
struct Box {
    double left;
    double top;
    double width;
    double height;
};

QString indexedName(const char* group, int index);

// Small helpers that create elements with their designed properties; what
// each window holds is listed where that window is built.
Element* makePicture(ElementTree& tree, Element* parent, const QString& name, Box box,
                     QColor back = Qt::black);
Element* makeLabel(ElementTree& tree, Element* parent, const QString& name, Box box, FontSpec font,
                   Qt::Alignment align = Qt::AlignLeft, bool wrap = true);
// A label that sizes itself to its text from its left and top.
Element* makeAutoLabel(ElementTree& tree, Element* parent, const QString& name, double left,
                       double top, FontSpec font, const QString& text);
Element* makeCircle(ElementTree& tree, Element* parent, const QString& name, Box box,
                    int borderPixels = 0);
Element* makeLine(ElementTree& tree, Element* parent, const QString& name, double x1, double y1,
                  double x2, double y2, QColor color);
Element* makeImage(ElementTree& tree, Element* parent, const QString& name, Box box,
                   const QString& picture = QString());

}  // namespace ovant
