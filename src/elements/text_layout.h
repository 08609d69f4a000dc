#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QImage>
#include <QPainterPath>
#include <QRectF>
#include <QStaticText>
#include <QString>
#include <optional>

class QPainter;

namespace ovant {

// Lays a caption out the way the console's labels show text: lines broken at
// carriage returns and, when wrapping, at word boundaries inside the width;
// "&" marks the next letter as the underlined key letter. Lines follow each
// other at a fixed step of 1.15 font heights, tight enough for four lines of
// an info label to fit its box.
class TextLayout {
public:
    TextLayout(const QFont& font, const QString& text, double width, bool wrap,
               Qt::Alignment alignment);

    // Size of the laid-out text in pixels (width of the widest line).
    QSizeF size() const { return size_; }
    int lineCount() const { return static_cast<int>(lines_.size()); }
    QString line(int i) const { return lines_.at(static_cast<std::size_t>(i)).text; }

    // `hiddenTop`: rows at the top of the box that its container cuts off.
    // `visible`: the part of the painter's clip that matters, when known;
    // text wholly outside it is left out (the painter would clip it anyway).
    void draw(QPainter& painter, const QRectF& box, double hiddenTop = 0,
              const QRect& visible = QRect()) const;
    // Draws the text as one figure whose ink spans the box from its top to
    // its bottom edge, stretched or squeezed vertically; horizontally it
    // keeps its width and alignment and stays inside the box where it can.
    void drawSpanningHeight(QPainter& painter, const QRectF& box) const;

    static double lineStep(const QFont& font);

    // Where text goes vertically in a box. The first baseline lies the
    // font's ascent below the box top; where that would cut the descenders
    // of the last line the box can hold, the text moves up, never so far
    // that ascenders are cut (in a box too low for one whole line the
    // descenders give way). This depends on the font and the box height
    // only, so a label's text stays put while lines come and go. Where the
    // container cuts off ascenders (a panel's first label reaches above the
    // panel), the text comes down by up to kMaxOverhang rows, and its
    // descenders then hang as far below the box. A label paints those rows:
    // every change of it repaints that margin anyway, so they never linger.
    static constexpr int kMaxOverhang = 2;
    struct Placement {
        double baseline;  // from the box top
        int overhang;     // rows of ink below the box
    };
    static Placement place(const QFont& font, double boxHeight, double hiddenTop = 0);
    // The same for this layout's font, kept for the last box it was asked for.
    Placement placement(double boxHeight, double hiddenTop = 0) const;

private:
    static Placement measurePlacement(const QFont& font, double boxHeight, double hiddenTop);

public:
private:
    struct Line {
        QString text;
        int underline;  // index of the key letter in text, -1 for none
        double width;
        // Shaped once, when the line is first drawn: text shaping is the
        // dearest part of painting a label.
        mutable QStaticText shaped;
        mutable bool isShaped = false;
        // The same glyphs with their positions, taken when a narrow area
        // first needs only some of them; empty when the line needs more
        // than one face.
        mutable QGlyphRun glyphs;
        mutable bool hasGlyphs = false;
    };
    void drawPart(QPainter& painter, const Line& line, QPointF topLeft, double left,
                  double right) const;
    QFont font_;
    Qt::Alignment alignment_;
    std::vector<Line> lines_;
    QSizeF size_;
    mutable std::optional<QPainterPath> figure_;  // drawn spanning its box
    mutable double figureWidth_ = -1;
    mutable QImage figureImage_;
    mutable QColor figureColour_;
    mutable double placedHeight_ = -1;
    mutable double placedHiddenTop_ = -1;
    mutable Placement placed_{0, 0};
};

}  // namespace ovant
