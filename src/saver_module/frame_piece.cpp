#include "saver_module/frame_piece.h"

#include <QFontDatabase>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace ovant {

FramePiece::FramePiece(QWidget* parent, const QString& name, QColor color)
    : QWidget(parent), color_(color) {
    setObjectName(name);
}

void FramePiece::setElbow(Elbow elbow) {
    elbow_ = elbow;
    isElbow_ = true;
    update();
}

QLabel* FramePiece::addCaption(const QString& name, QRect box, const QFont& font,
                               const QString& text) {
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->setGeometry(box);
    label->setFont(font);
    label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    label->setStyleSheet(QStringLiteral("color: black; background: transparent;"));
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

void FramePiece::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!isElbow_) {
        painter.fillRect(rect(), color_);
        return;
    }
    // Straight edges stay on whole pixels; only the two curves are smoothed.
    const double w = width();
    const double h = height();
    const double band = elbow_.bandWidth;
    const double armTop = h - elbow_.armHeight;
    const double outer = elbow_.outerRadius;
    const double inner = elbow_.innerRadius;
    QPainterPath path;
    path.moveTo(0, 0);
    path.lineTo(band, 0);
    path.lineTo(band, armTop - inner);
    path.arcTo(band, armTop - 2 * inner, 2 * inner, 2 * inner, 180, 90);
    path.lineTo(w, armTop);
    path.lineTo(w, h);
    path.lineTo(outer, h);
    path.arcTo(0, h - 2 * outer, 2 * outer, 2 * outer, 270, -90);
    path.closeSubpath();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(path, color_);
}

void FramePiece::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
}

void FramePiece::mouseReleaseEvent(QMouseEvent* event) {
    const bool wasPressed = pressed_;
    pressed_ = false;
    if (wasPressed && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint())) {
        Q_EMIT clicked();
    }
}

QFont captionFont(int pixels) {
    static const bool hasMonitor = QFontDatabase::hasFamily(QStringLiteral("Trek TNG Monitors"));
    static const bool hasRoboto = QFontDatabase::hasFamily(QStringLiteral("Roboto Condensed"));
    QFont font;
    if (hasMonitor) {
        font.setFamily(QStringLiteral("Trek TNG Monitors"));
    } else if (hasRoboto) {
        font.setFamily(QStringLiteral("Roboto Condensed"));
        font.setStretch(56);
    } else {
        font.setFamily(QStringLiteral("Liberation Sans Narrow"));
        font.setStretch(66);
    }
    font.setPixelSize(pixels);
    return font;
}

}  // namespace ovant
