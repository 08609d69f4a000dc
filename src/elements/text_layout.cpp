#include "elements/text_layout.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QTextLayout>
#include <cmath>

namespace ovant {

namespace {

// Removes the "&" key marks; "&&" stands for one "&".
QString stripMnemonic(const QString& text, int* keyIndex) {
    QString out;
    *keyIndex = -1;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) {
            if (text[i + 1] != QLatin1Char('&') && *keyIndex < 0) {
                *keyIndex = static_cast<int>(out.size());
            }
            ++i;
        }
        out += text[i];
    }
    return out;
}

// Where glyph `i` of a left-to-right line ends: where the next one starts.
double glyphEnd(const QList<QPointF>& positions, qsizetype i, double lineWidth) {
    return i + 1 < positions.size() ? positions[i + 1].x() : lineWidth;
}

}  // namespace

double TextLayout::lineStep(const QFont& font) {
    return std::ceil(font.pixelSize() * 1.15);
}

namespace {

// Ink of a line around its baseline that must not be cut: ascenders above,
// descenders below. The faces' ascent leaves room for accents above
// capitals besides. Tight rects are those of the glyphs as rasterised, in
// whole pixels.
struct LineInk {
    double above;
    double below;
};

LineInk lineInk(const QFontMetricsF& metrics) {
    return {std::max(0.0, -metrics.tightBoundingRect(QStringLiteral("bdfhklt")).top()),
            std::max(0.0, metrics.tightBoundingRect(QStringLiteral("gjpqy")).bottom())};
}

}  // namespace

TextLayout::Placement TextLayout::place(const QFont& font, double boxHeight, double hiddenTop) {
    // Measured once per font and box: the tight ink of a face is dear to take.
    static QHash<QString, Placement> known;
    const QString key = font.key() + QLatin1Char('|') + QString::number(boxHeight) +
                        QLatin1Char('|') + QString::number(hiddenTop);
    const auto found = known.constFind(key);
    if (found != known.constEnd()) {
        return *found;
    }
    const Placement placement = measurePlacement(font, boxHeight, hiddenTop);
    if (known.size() > 4096) {
        known.clear();
    }
    known.insert(key, placement);
    return placement;
}

TextLayout::Placement TextLayout::placement(double boxHeight, double hiddenTop) const {
    if (boxHeight != placedHeight_ || hiddenTop != placedHiddenTop_) {
        placed_ = place(font_, boxHeight, hiddenTop);
        placedHeight_ = boxHeight;
        placedHiddenTop_ = hiddenTop;
    }
    return placed_;
}

TextLayout::Placement TextLayout::measurePlacement(const QFont& font, double boxHeight,
                                                   double hiddenTop) {
    const QFontMetricsF metrics(font);
    const LineInk ink = lineInk(metrics);
    double baseline = metrics.ascent();
    double below = 0;  // ink below the box before any shift
    if (boxHeight < ink.above + ink.below) {
        // Not even one line fits whole: keep the ascenders and accents,
        // which carry more of a word than the tails below the line.
        baseline = std::min(metrics.ascent(), ink.above);
        below = std::ceil(baseline + ink.below - boxHeight);
    } else {
        const double step = lineStep(font);
        const double lastOffset = std::floor((boxHeight - ink.above - ink.below) / step) * step;
        if (metrics.ascent() + lastOffset + ink.below > boxHeight) {
            // Whole pixels, so that the lowest row of ink is the box's last one.
            baseline = std::floor(boxHeight - ink.below - lastOffset);
        }
    }
    // Ascenders cut off by the container come down into view, a little.
    const double cut = hiddenTop - (baseline - ink.above);
    const double shift = cut > 0 ? std::min<double>(kMaxOverhang, std::ceil(cut)) : 0;
    const int overhang = static_cast<int>(std::min<double>(kMaxOverhang, below + shift));
    return {baseline + shift, overhang};
}

TextLayout::TextLayout(const QFont& font, const QString& text, double width, bool wrap,
                       Qt::Alignment alignment)
    : font_(font), alignment_(alignment) {
    int key = -1;
    const QString plain = stripMnemonic(text, &key);
    const QFontMetricsF metrics(font);
    int paragraphStart = 0;
    const QStringList paragraphs = plain.split(QChar(13));
    double widest = 0;
    for (const QString& paragraph : paragraphs) {
        QTextLayout layout(paragraph, font);
        QTextOption option;
        option.setWrapMode(wrap ? QTextOption::WordWrap : QTextOption::NoWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        for (;;) {
            QTextLine line = layout.createLine();
            if (!line.isValid()) {
                break;
            }
            line.setLineWidth(wrap ? std::max(1.0, width) : 1e6);
            QString lineText = paragraph.mid(line.textStart(), line.textLength());
            // Blanks at a break hang past the edge, as on the console.
            while (wrap && lineText.endsWith(QLatin1Char(' '))) {
                lineText.chop(1);
            }
            const int start = paragraphStart + line.textStart();
            const int underline = key >= start && key < start + lineText.size() ? key - start : -1;
            const double w = metrics.horizontalAdvance(lineText);
            widest = std::max(widest, w);
            lines_.push_back(
                Line{lineText, underline, w, QStaticText(), false, QGlyphRun(), false});
        }
        layout.endLayout();
        paragraphStart += static_cast<int>(paragraph.size()) + 1;
    }
    const double step = lineStep(font);
    size_ = QSizeF(widest, lines_.empty() ? 0.0 : step * (lines_.size() - 1) + metrics.height());
}

void TextLayout::draw(QPainter& painter, const QRectF& box, double hiddenTop,
                      const QRect& visible) const {
    const QFontMetricsF metrics(font_);
    const double step = lineStep(font_);
    // Ink may reach a little past a line's ascent, descent and advance (a
    // bracket's arm, an accent); this much room keeps every pixel of it.
    const double slack = std::ceil(font_.pixelSize() / 2.0) + 1;
    const bool culled = !visible.isEmpty();
    double y = box.top() + placement(box.height(), hiddenTop).baseline;
    for (const Line& line : lines_) {
        double x = box.left();
        if (alignment_ & Qt::AlignRight) {
            x = box.right() - line.width;
        } else if (alignment_ & Qt::AlignHCenter) {
            x = box.left() + (box.width() - line.width) / 2;
        }
        const QPointF topLeft(x, y - metrics.ascent());
        const double left = visible.left() - slack;
        const double right = visible.right() + 1 + slack;
        if (culled &&
            (y + metrics.descent() + slack <= visible.top() ||
             topLeft.y() - slack >= visible.bottom() + 1 || x + line.width <= left || x >= right)) {
            // A frame's thin areas (the scanner's lines passing a label)
            // touch only some lines of a caption.
            y += step;
            continue;
        }
        if (!line.isShaped) {
            line.shaped = QStaticText(line.text);
            line.shaped.setTextFormat(Qt::PlainText);
            line.shaped.prepare(QTransform(), font_);
            line.isShaped = true;
        }
        painter.setFont(font_);
        if (culled && (x < left || x + line.width > right)) {
            drawPart(painter, line, topLeft, left, right);
        } else {
            painter.drawStaticText(topLeft, line.shaped);
        }
        if (line.underline >= 0) {
            const double ux = x + metrics.horizontalAdvance(line.text.left(line.underline));
            const double uw = metrics.horizontalAdvance(line.text.at(line.underline));
            const double uy = y + std::max(1.0, metrics.underlinePos());
            painter.fillRect(QRectF(ux, uy, uw, std::max(1.0, metrics.lineWidth())),
                             painter.pen().color());
        }
        y += step;
    }
}

void TextLayout::drawPart(QPainter& painter, const Line& line, QPointF topLeft, double left,
                          double right) const {
    if (!line.hasGlyphs) {
        QTextLayout layout(line.text, font_);
        QTextOption option;
        option.setWrapMode(QTextOption::NoWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        const QList<QGlyphRun> runs = layout.glyphRuns();
        if (runs.size() == 1) {
            line.glyphs = runs.front();
        }
        line.hasGlyphs = true;
    }
    const QList<quint32> indexes = line.glyphs.glyphIndexes();
    const QList<QPointF> positions = line.glyphs.positions();
    if (indexes.isEmpty() || positions.size() != indexes.size()) {
        painter.drawStaticText(topLeft, line.shaped);
        return;
    }
    // A column through a long line (the scanner's upright line passing a
    // label) needs only the glyphs near it. Glyphs go left to right here.
    qsizetype first = 0;
    while (first < positions.size() &&
           topLeft.x() + glyphEnd(positions, first, line.width) <= left) {
        ++first;
    }
    qsizetype last = first;
    while (last < positions.size() && topLeft.x() + positions[last].x() < right) {
        ++last;
    }
    if (first >= last) {
        return;
    }
    QGlyphRun part = line.glyphs;
    part.setGlyphIndexes(indexes.mid(first, last - first));
    part.setPositions(positions.mid(first, last - first));
    painter.drawGlyphRun(topLeft, part);
}

void TextLayout::drawSpanningHeight(QPainter& painter, const QRectF& box) const {
    if (!figure_ || figureWidth_ != box.width()) {
        const QFontMetricsF metrics(font_);
        const double step = lineStep(font_);
        QPainterPath path;
        double y = metrics.ascent();
        for (const Line& line : lines_) {
            double x = 0;
            if (alignment_ & Qt::AlignRight) {
                x = box.width() - line.width;
            } else if (alignment_ & Qt::AlignHCenter) {
                x = (box.width() - line.width) / 2;
            }
            path.addText(QPointF(x, y), font_, line.text);
            y += step;
        }
        figure_ = path;
        figureWidth_ = box.width();
    }
    const QPainterPath& figure = *figure_;
    const QRectF ink = figure.boundingRect();
    if (ink.isEmpty() || box.height() <= 0 || box.width() <= 0) {
        return;
    }
    const QColor colour = painter.pen().color();
    const QSize size = box.size().toSize();
    // The figure is filled once per size and colour; a flying scanner only
    // moves it.
    if (figureImage_.size() != size || figureColour_ != colour) {
        // A glyph may overhang its advance (a bracket's arm): pull it back
        // into the box, then onto whole pixels so that its stems stay crisp.
        double left = ink.left();
        left = std::min(left, box.width() - ink.width());
        left = std::max(left, 0.0);
        left = std::round(left);
        QTransform placement;
        placement.translate(left, 0);
        placement.scale(1.0, box.height() / ink.height());
        placement.translate(-ink.left(), -ink.top());
        figureImage_ = QImage(size, QImage::Format_ARGB32_Premultiplied);
        figureImage_.fill(Qt::transparent);
        QPainter fill(&figureImage_);
        fill.setRenderHint(QPainter::Antialiasing, true);
        fill.setPen(Qt::NoPen);
        fill.setBrush(colour);
        fill.drawPath(placement.map(figure));
        figureColour_ = colour;
    }
    painter.drawImage(box.topLeft(), figureImage_);
}

}  // namespace ovant
