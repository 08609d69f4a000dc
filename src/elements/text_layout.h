#pragma once

#include <QFont>
#include <QRectF>
#include <QString>

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

    void draw(QPainter& painter, const QRectF& box) const;

    static double lineStep(const QFont& font);

private:
    struct Line {
        QString text;
        int underline;  // index of the key letter in text, -1 for none
        double width;
    };
    QFont font_;
    Qt::Alignment alignment_;
    std::vector<Line> lines_;
    QSizeF size_;
};

}  // namespace ovant
