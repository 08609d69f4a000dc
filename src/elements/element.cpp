#include "elements/element.h"

#include <algorithm>
#include <cmath>

#include "elements/element_tree.h"
#include "elements/text_layout.h"

namespace ovant {

Element::Element(ElementTree& tree, Element* parent, ElementKind kind, QString name)
    : tree_(tree), parent_(parent), kind_(kind), name_(std::move(name)) {}

Element* Element::addChild(std::unique_ptr<Element> child) {
    children_.push_back(std::move(child));
    Element* added = children_.back().get();
    added->invalidate();
    return added;
}

bool Element::shown() const {
    for (const Element* e = this; e != nullptr; e = e->parent_) {
        if (!e->visible_) {
            return false;
        }
    }
    return true;
}

bool Element::receivesMouse() const {
    return kind_ == ElementKind::Picture || kind_ == ElementKind::Label ||
           kind_ == ElementKind::Image;
}

QRect Element::pixelRect() const {
    const quint64 generation = tree_.geometryGeneration();
    if (cache_.pixelGeneration != generation) {
        cache_.pixelRect = computePixelRect();
        cache_.pixelGeneration = generation;
    }
    return cache_.pixelRect;
}

QRect Element::computePixelRect() const {
    const Twips& t = tree_.twips();
    const QPoint origin = parent_ != nullptr ? parent_->pixelRect().topLeft() : QPoint(0, 0);
    if (kind_ == ElementKind::Line) {
        const int ax = origin.x() + t.toPixels(x1_);
        const int ay = origin.y() + t.toPixels(y1_);
        const int bx = origin.x() + t.toPixels(x2_);
        const int by = origin.y() + t.toPixels(y2_);
        return QRect(QPoint(std::min(ax, bx), std::min(ay, by)),
                     QPoint(std::max(ax, bx), std::max(ay, by)));
    }
    return QRect(origin.x() + t.toPixels(left_), origin.y() + t.toPixels(top_), t.toPixels(width_),
                 t.toPixels(height_));
}

QLine Element::pixelLine() const {
    const Twips& t = tree_.twips();
    const QPoint origin = parent_ != nullptr ? parent_->pixelRect().topLeft() : QPoint(0, 0);
    return QLine(origin.x() + t.toPixels(x1_), origin.y() + t.toPixels(y1_),
                 origin.x() + t.toPixels(x2_), origin.y() + t.toPixels(y2_));
}

QRect Element::clipRect() const {
    const quint64 generation = tree_.geometryGeneration();
    if (cache_.clipGeneration != generation) {
        cache_.clipRect = computeClipRect();
        cache_.clipGeneration = generation;
    }
    return cache_.clipRect;
}

QRect Element::computeClipRect() const {
    QRect clip = parent_ != nullptr ? parent_->clipRect() : pixelRect();
    if (kind_ == ElementKind::Picture || parent_ == nullptr) {
        clip &= pixelRect();
    }
    return clip;
}

void Element::geometryChanged() {
    // Only this element and what lies inside it take their pixels from its
    // box; the rest of the tree keeps the boxes and laid-out text it worked
    // out (the scanner frame moves with every step of a ship).
    forgetPixelBoxes();
}

void Element::forgetPixelBoxes() {
    cache_.pixelGeneration = 0;
    cache_.clipGeneration = 0;
    for (const auto& child : children_) {
        child->forgetPixelBoxes();
    }
}

void Element::textChanged() {
    cache_.layout.reset();
}

void Element::invalidate() {
    invalidateArea(pixelRect());
}

void Element::invalidateArea(QRect area) {
    if (!shown()) {
        return;
    }
    const int pen = std::max(borderPixels_, 1);
    area.adjust(-pen, -pen, pen + 1, pen + 1);
    const QRect clip = parent_ != nullptr ? parent_->clipRect() : area;
    tree_.markDirty(area & clip);
}

void Element::setBox(double left, double top, double width, double height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) {
        return;
    }
    const QRect before = pixelRect();
    left_ = left;
    top_ = top;
    width_ = std::max(0.0, width);
    height_ = std::max(0.0, height);
    geometryChanged();
    // A move of less than a pixel changes nothing on the screen (a ship
    // moves a third of a pixel a tick), and children keep their pixels too.
    const QRect after = pixelRect();
    if (after != before) {
        invalidateArea(before);
        invalidateArea(after);
    }
}

void Element::setVisible(bool on) {
    if (on == visible_) {
        return;
    }
    invalidate();
    visible_ = on;
    invalidate();
}

template <typename T>
static bool changeTo(T& field, const T& value) {
    if (field == value) {
        return false;
    }
    field = value;
    return true;
}

void Element::setBackColor(const QColor& c) {
    if (changeTo(backColor_, c)) {
        invalidate();
    }
}

void Element::setOpaque(bool on) {
    if (changeTo(opaque_, on)) {
        invalidate();
    }
}

void Element::setForeColor(const QColor& c) {
    if (changeTo(foreColor_, c)) {
        textChanged();
        invalidate();
    }
}

void Element::setBorderColor(const QColor& c) {
    if (changeTo(borderColor_, c)) {
        invalidate();
    }
}

void Element::setBorderPixels(int px) {
    invalidate();
    borderPixels_ = std::max(0, px);
    invalidate();
}

void Element::setText(const QString& t) {
    if (t == text_) {
        return;
    }
    invalidate();
    text_ = t;
    textChanged();
    fitToText();
    invalidate();
}

void Element::setFont(FontSpec f) {
    invalidate();
    font_ = f;
    textChanged();
    fitToText();
    invalidate();
}

void Element::setAlignment(Qt::Alignment a) {
    if (changeTo(alignment_, a)) {
        textChanged();
        invalidate();
    }
}

void Element::setWordWrap(bool on) {
    invalidate();
    wordWrap_ = on;
    textChanged();
    fitToText();
    invalidate();
}

void Element::setAutoSize(bool on) {
    autoSize_ = on;
    fitToText();
    invalidate();
}

void Element::setTextSpansHeight(bool on) {
    if (changeTo(textSpansHeight_, on)) {
        textChanged();
        invalidate();
    }
}

void Element::setPicture(const QString& name) {
    if (changeTo(picture_, name)) {
        invalidate();
    }
}

void Element::setForm(ShapeForm f) {
    if (changeTo(form_, f)) {
        invalidate();
    }
}

namespace {

// Both lines lie along one and the same row, or one and the same column,
// with ends apart: they share all pixels but those near their ends.
bool slidesAlongItself(const QLine& a, const QLine& b) {
    if (a.p1() == a.p2() || b.p1() == b.p2()) {
        return false;
    }
    const int row = a.y1();
    const int column = a.x1();
    return (a.y2() == row && b.y1() == row && b.y2() == row) ||
           (a.x2() == column && b.x1() == column && b.x2() == column);
}

}  // namespace

void Element::setLine(double x1, double y1, double x2, double y2) {
    if (x1 == x1_ && y1 == y1_ && x2 == x2_ && y2 == y2_) {
        return;
    }
    const QRect before = pixelRect();
    const QLine endsBefore = pixelLine();
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    left_ = std::min(x1, x2);
    top_ = std::min(y1, y2);
    width_ = std::abs(x2 - x1);
    height_ = std::abs(y2 - y1);
    geometryChanged();
    const QLine endsNow = pixelLine();
    if (endsNow == endsBefore) {
        return;
    }
    if (borderPixels_ <= 1 && slidesAlongItself(endsBefore, endsNow)) {
        // The scanner's long lines grow and shrink at one end as it follows
        // a ship along their row: only the pixels between the old and the
        // new ends change, not the whole width of the sector.
        const auto ends = [](const QLine& l) {
            return std::minmax({l.p1(), l.p2()},
                               [](QPoint a, QPoint b) { return a.x() + a.y() < b.x() + b.y(); });
        };
        const auto [firstBefore, lastBefore] = ends(endsBefore);
        const auto [firstNow, lastNow] = ends(endsNow);
        if (firstBefore != firstNow) {
            invalidateArea(QRect(firstBefore, firstNow).normalized());
        }
        if (lastBefore != lastNow) {
            invalidateArea(QRect(lastBefore, lastNow).normalized());
        }
        return;
    }
    invalidateArea(before);
    invalidate();
}

void Element::addPoint(const StarPoint& p) {
    points_.push_back(p);
    if (shown()) {
        const Twips& t = tree_.twips();
        const QPoint origin = pixelRect().topLeft();
        const QPoint at(origin.x() + t.toPixels(p.x), origin.y() + t.toPixels(p.y));
        const int r = p.sizePixels + 1;
        tree_.markDirty(QRect(at - QPoint(r, r), QSize(2 * r + 1, 2 * r + 1)) & clipRect());
    }
}

void Element::setOutline(const QRegion& designPixels) {
    outline_ = designPixels;
    hasOutline_ = true;
    ++outlineSerial_;
    invalidate();
}

bool Element::outlineContains(QPoint windowPixel) const {
    if (!hasOutline_) {
        return true;
    }
    const double scale = tree_.twips().scale();
    const QPoint local = windowPixel - pixelRect().topLeft();
    return outline_.contains(QPoint(static_cast<int>(std::floor(local.x() / scale)),
                                    static_cast<int>(std::floor(local.y() / scale))));
}

void Element::fitToText() {
    if (!autoSize_ || kind_ != ElementKind::Label) {
        return;
    }
    const Twips& t = tree_.twips();
    const TextLayout layout(tree_.font(font_), text_, t.toPixelsF(width_), wordWrap_, alignment_);
    const double w = wordWrap_ ? width_ : t.fromPixels(std::ceil(layout.size().width()));
    const double h = t.fromPixels(std::ceil(layout.size().height()));
    if (w != width_ || h != height_) {
        width_ = w;
        height_ = h;
        geometryChanged();
    }
}

void Element::click() const {
    if (onClick_) {
        onClick_();
    }
}

void Element::mouseDown(QPointF twips) const {
    if (onMouseDown_) {
        onMouseDown_(twips);
    }
}

void Element::mouseMove(QPointF twips) const {
    if (onMouseMove_) {
        onMouseMove_(twips);
    }
}

}  // namespace ovant
