#include "elements/element_factory.h"

namespace ovant {

QString indexedName(const char* group, int index) {
    return QString::fromLatin1(group) + QLatin1Char('(') + QString::number(index) +
           QLatin1Char(')');
}

Element* makePicture(ElementTree& tree, Element* parent, const QString& name, Box box,
                     QColor back) {
    Element* e = tree.create(parent, ElementKind::Picture, name);
    e->setBox(box.left, box.top, box.width, box.height);
    e->setBackColor(back);
    e->setOpaque(true);
    return e;
}

Element* makeLabel(ElementTree& tree, Element* parent, const QString& name, Box box, FontSpec font,
                   Qt::Alignment align, bool wrap) {
    Element* e = tree.create(parent, ElementKind::Label, name);
    e->setBox(box.left, box.top, box.width, box.height);
    e->setFont(font);
    e->setAlignment(align);
    e->setWordWrap(wrap);
    return e;
}

Element* makeAutoLabel(ElementTree& tree, Element* parent, const QString& name, double left,
                       double top, FontSpec font, const QString& text) {
    Element* e = tree.create(parent, ElementKind::Label, name);
    e->move(left, top);
    e->setFont(font);
    e->setWordWrap(false);
    e->setText(text);
    e->setAutoSize(true);
    return e;
}

Element* makeCircle(ElementTree& tree, Element* parent, const QString& name, Box box,
                    int borderPixels) {
    Element* e = tree.create(parent, ElementKind::Shape, name);
    e->setBox(box.left, box.top, box.width, box.height);
    e->setForm(ShapeForm::Circle);
    e->setOpaque(true);
    e->setBorderPixels(borderPixels);
    return e;
}

Element* makeLine(ElementTree& tree, Element* parent, const QString& name, double x1, double y1,
                  double x2, double y2, QColor color) {
    Element* e = tree.create(parent, ElementKind::Line, name);
    e->setLine(x1, y1, x2, y2);
    e->setBorderColor(color);
    e->setBorderPixels(1);
    return e;
}

Element* makeImage(ElementTree& tree, Element* parent, const QString& name, Box box,
                   const QString& picture) {
    Element* e = tree.create(parent, ElementKind::Image, name);
    e->setBox(box.left, box.top, box.width, box.height);
    e->setPicture(picture);
    return e;
}

}  // namespace ovant
