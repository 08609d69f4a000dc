#pragma once

#include <QColor>
#include <QLabel>
#include <QWidget>

namespace ovant {

// A flat piece of the window's frame in one colour: a button block, a bar or
// the corner elbow. A click on it, or on the caption it carries, runs its
// command; captions let the mouse through to their piece.
class FramePiece final : public QWidget {
    Q_OBJECT
public:
    // The elbow's band runs down the left and bends into an arm along the
    // bottom; all sizes in pixels.
    struct Elbow {
        int bandWidth = 0;
        int armHeight = 0;
        int outerRadius = 0;
        int innerRadius = 0;
    };

    FramePiece(QWidget* parent, const QString& name, QColor color);

    QColor color() const { return color_; }
    void setElbow(Elbow elbow);
    // A black caption, right-aligned in `box` (pixels inside the piece).
    QLabel* addCaption(const QString& name, QRect box, const QFont& font, const QString& text);

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QColor color_;
    Elbow elbow_;
    bool isElbow_ = false;
    bool pressed_ = false;
};

// The console's caption face at a size in pixels: the designed face when it
// is installed, otherwise a free condensed face narrowed to the same width.
QFont captionFont(int pixels);

}  // namespace ovant
