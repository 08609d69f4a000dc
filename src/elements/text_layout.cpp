#include "elements/text_layout.h"

#include <QFontMetricsF>
#include <QPainter>
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

}  // namespace

double TextLayout::lineStep(const QFont& font) {
    return std::ceil(font.pixelSize() * 1.15);
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
            lines_.push_back(Line{lineText, underline, w});
        }
        layout.endLayout();
        paragraphStart += static_cast<int>(paragraph.size()) + 1;
    }
    const double step = lineStep(font);
    size_ = QSizeF(widest, lines_.empty() ? 0.0 : step * (lines_.size() - 1) + metrics.height());
}

void TextLayout::draw(QPainter& painter, const QRectF& box) const {
    const QFontMetricsF metrics(font_);
    const double step = lineStep(font_);
    double y = box.top() + metrics.ascent();
    for (const Line& line : lines_) {
        double x = box.left();
        if (alignment_ & Qt::AlignRight) {
            x = box.right() - line.width;
        } else if (alignment_ & Qt::AlignHCenter) {
            x = box.left() + (box.width() - line.width) / 2;
        }
        painter.setFont(font_);
        painter.drawText(QPointF(x, y), line.text);
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

}  // namespace ovant
