#pragma once

#include <QColor>
#include <QImage>
#include <QLine>
#include <QPointF>
#include <QRect>
#include <QRegion>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace ovant {

class ElementTree;
class TextLayout;

enum class ElementKind {
    Picture,  // rectangle with a background and an optional picture; holds other elements
    Label,    // text in a rectangle
    Shape,    // filled rectangle or circle, no events
    Line,     // straight line between two points, no events
    Image,    // picture without background
};

enum class ShapeForm { Rectangle, Circle };

// The two display faces of the console: a wide "monitor" face for captions
// and a narrow face for the small info texts.
enum class FontFace { Monitor, Narrow };

struct FontSpec {
    FontFace face = FontFace::Monitor;
    double points = 8.25;
};

struct StarPoint {
    double x;  // twips in the element
    double y;
    int sizePixels;
    QColor color;
};

// One visible thing of a window. Geometry is in twips relative to the parent;
// every change marks the touched area for the next frame, nothing is painted
// here. Elements live as long as their tree.
class Element {
public:
    Element(ElementTree& tree, Element* parent, ElementKind kind, QString name);
    Element(const Element&) = delete;
    Element& operator=(const Element&) = delete;

    ElementTree& tree() const { return tree_; }
    Element* parent() const { return parent_; }
    ElementKind kind() const { return kind_; }
    const QString& name() const { return name_; }
    const std::vector<std::unique_ptr<Element>>& children() const { return children_; }

    // Geometry (twips). A line's box is the box around its end points.
    double left() const { return left_; }
    double top() const { return top_; }
    double width() const { return width_; }
    double height() const { return height_; }
    void setLeft(double v) { setBox(v, top_, width_, height_); }
    void setTop(double v) { setBox(left_, v, width_, height_); }
    void setWidth(double v) { setBox(left_, top_, v, height_); }
    void setHeight(double v) { setBox(left_, top_, width_, v); }
    void move(double left, double top) { setBox(left, top, width_, height_); }
    void setBox(double left, double top, double width, double height);

    bool visible() const { return visible_; }
    void setVisible(bool on);
    void show() { setVisible(true); }
    void hide() { setVisible(false); }
    // Visible itself and inside visible containers.
    bool shown() const;

    // Background of pictures, filled labels and shapes.
    QColor backColor() const { return backColor_; }
    void setBackColor(const QColor& c);
    bool opaque() const { return opaque_; }
    void setOpaque(bool on);
    // Text colour of labels.
    QColor foreColor() const { return foreColor_; }
    void setForeColor(const QColor& c);
    // Outline of shapes, colour of lines.
    QColor borderColor() const { return borderColor_; }
    void setBorderColor(const QColor& c);
    int borderPixels() const { return borderPixels_; }
    void setBorderPixels(int px);

    // Labels.
    const QString& text() const { return text_; }
    void setText(const QString& t);
    FontSpec font() const { return font_; }
    void setFont(FontSpec f);
    Qt::Alignment alignment() const { return alignment_; }
    void setAlignment(Qt::Alignment a);
    bool wordWrap() const { return wordWrap_; }
    void setWordWrap(bool on);
    // A label that sizes itself keeps its left and top and takes the size of
    // its text (its width stays when it wraps).
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool on);
    // A label whose text is a figure rather than a caption (the scanner's
    // brackets): its ink is stretched vertically to span the box from top
    // to bottom, whatever the face's ascent and descent.
    bool textSpansHeight() const { return textSpansHeight_; }
    void setTextSpansHeight(bool on);

    // Pictures and images: the name of a picture of the picture store, drawn
    // unscaled at the top-left corner; empty for none.
    const QString& picture() const { return picture_; }
    void setPicture(const QString& name);

    ShapeForm form() const { return form_; }
    void setForm(ShapeForm f);

    // Lines (twips in the parent).
    double x1() const { return x1_; }
    double y1() const { return y1_; }
    double x2() const { return x2_; }
    double y2() const { return y2_; }
    void setLine(double x1, double y1, double x2, double y2);
    void setX1(double v) { setLine(v, y1_, x2_, y2_); }
    void setY1(double v) { setLine(x1_, v, x2_, y2_); }

    // Points drawn into a picture's own surface (the star field); they stay
    // for the window's life and lie under the picture's children.
    const std::vector<StarPoint>& points() const { return points_; }
    void addPoint(const StarPoint& p);

    // A picture cut to an outline (in its own pixels at scale 1) shows and
    // receives the mouse only inside it; empty means the whole rectangle.
    const QRegion& outline() const { return outline_; }
    bool hasOutline() const { return hasOutline_; }
    void setOutline(const QRegion& designPixels);
    // Whether a window pixel lies inside the outline (always true without one).
    bool outlineContains(QPoint windowPixel) const;

    // Mouse: pictures, labels and images receive it; shapes and lines do not.
    // The window's owner wires what each event does, once, and the window
    // fires it; an element without a handler ignores the event.
    bool receivesMouse() const;
    void onClick(std::function<void()> handler) { onClick_ = std::move(handler); }
    void onMouseDown(std::function<void(QPointF)> handler) { onMouseDown_ = std::move(handler); }
    void onMouseMove(std::function<void(QPointF)> handler) { onMouseMove_ = std::move(handler); }
    void click() const;
    void mouseDown(QPointF twips) const;  // twips in this element
    void mouseMove(QPointF twips) const;

    // Pixel rectangle in the window (the canvas), from the one conversion.
    QRect pixelRect() const;
    // A line's end points in window pixels.
    QLine pixelLine() const;
    // Pictures clip their children; everything else is clipped by its parent.
    QRect clipRect() const;

    Element* addChild(std::unique_ptr<Element> child);

private:
    friend class ElementTree;

    void invalidate();
    void invalidateArea(QRect area);
    void fitToText();
    // The pixel box changed (or may have): forget the kept one, and, for a
    // container, the boxes of everything inside it.
    void geometryChanged();
    void forgetPixelBoxes();
    // Text, font, alignment, wrap or colour changed: the laid-out text goes.
    void textChanged();
    QRect computePixelRect() const;
    QRect computeClipRect() const;

    // What painting works out once and keeps between frames: the pixel and
    // clip boxes (for as long as the tree's geometry generation stands), the
    // laid-out text of a label and the drawn circle of a round shape.
    struct PaintCache {
        QRect pixelRect;
        quint64 pixelGeneration = 0;  // 0: not worked out
        QRect clipRect;
        quint64 clipGeneration = 0;
        std::shared_ptr<const TextLayout> layout;
        int layoutWidth = -1;
        quint64 layoutGeneration = 0;
        QImage circle;
        QSize circleSize;
        QColor circleFill;
        QColor circleBorder;
        int circleBorderPixels = -1;
        bool circleOpaque = false;
        // Star dots in pixels from the element's corner, for this many points
        // at this generation.
        std::vector<QRect> dots;
        std::size_t dotsPoints = 0;
        quint64 dotsGeneration = 0;
        // A picture cut to its outline, drawn once with its back colour.
        QImage cut;
        QSize cutSize;
        qreal cutRatio = 0;
        QColor cutFill;
        qint64 cutPixmap = 0;
        quint64 cutOutline = 0;
        quint64 cutGeneration = 0;
        // A moving label's text as an image: drawing a few dozen glyphs anew
        // in every frame of a crossing costs more than copying them. Made
        // when the label is first painted somewhere else with the same
        // layout, colour and size.
        std::shared_ptr<const TextLayout> textLayout;
        QColor textColour;
        QSize textSize;
        int textHidden = -1;
        QPoint textAt;
        QImage text;
    };
    mutable PaintCache cache_;

    ElementTree& tree_;
    Element* parent_;
    ElementKind kind_;
    QString name_;
    std::vector<std::unique_ptr<Element>> children_;

    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    QColor backColor_ = Qt::black;
    bool opaque_ = false;
    QColor foreColor_ = Qt::black;
    QColor borderColor_ = Qt::black;
    int borderPixels_ = 0;
    QString text_;
    FontSpec font_;
    Qt::Alignment alignment_ = Qt::AlignLeft;
    bool wordWrap_ = false;
    bool autoSize_ = false;
    bool textSpansHeight_ = false;
    QString picture_;
    ShapeForm form_ = ShapeForm::Rectangle;
    double x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    std::vector<StarPoint> points_;
    QRegion outline_;
    bool hasOutline_ = false;
    quint64 outlineSerial_ = 0;  // counts the outlines set, for the painted cut
    std::function<void()> onClick_;
    std::function<void(QPointF)> onMouseDown_;
    std::function<void(QPointF)> onMouseMove_;
};

}  // namespace ovant
