#include "elements/element_window.h"

#include <QMouseEvent>
#include <QPainter>

namespace ovant {

ElementWindow::ElementWindow(Twips twips, const PictureStore* pictures, QWidget* parent)
    : QWidget(parent), tree_(twips, pictures) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    frameTimer_.setSingleShot(true);
    frameTimer_.setInterval(kFrameMs);
    frameTimer_.setTimerType(Qt::PreciseTimer);
    connect(&frameTimer_, &QTimer::timeout, this, &ElementWindow::frame);
    tree_.onDirty = [this] {
        if (!frameTimer_.isActive()) {
            frameTimer_.start();
        }
    };
}

void ElementWindow::frame() {
    const QRegion region = tree_.takeDirty();
    if (!region.isEmpty() && isVisible()) {
        update(region);
    }
}

void ElementWindow::flush() {
    frameTimer_.stop();
    const QRegion region = tree_.takeDirty();
    if (!region.isEmpty() && isVisible()) {
        repaint(region);
    }
}

void ElementWindow::coverScreen(const QRect& screenPixels) {
    setWindowFlag(Qt::FramelessWindowHint, true);
    setGeometry(screenPixels);
    const Twips& t = tree_.twips();
    root().setBox(0, 0, t.fromPixels(screenPixels.width()), t.fromPixels(screenPixels.height()));
}

void ElementWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    tree_.markAllDirty();
}

void ElementWindow::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // Whatever the elements leave uncovered is the window's black.
    painter.fillRect(event->rect(), Qt::black);
    tree_.paint(painter, event->region());
}

QPointF ElementWindow::localTwips(const Element& e, QPointF pixel) const {
    const QRect r = e.pixelRect();
    const Twips& t = tree_.twips();
    return QPointF(t.fromPixels(pixel.x() - r.left()), t.fromPixels(pixel.y() - r.top()));
}

void ElementWindow::mousePressEvent(QMouseEvent* event) {
    Element* hit = tree_.hitTest(event->position().toPoint());
    pressed_ = event->button() == Qt::LeftButton ? hit : nullptr;
    if (hit != nullptr) {
        hit->mouseDown(localTwips(*hit, event->position()));
    }
}

void ElementWindow::mouseReleaseEvent(QMouseEvent* event) {
    Element* hit = tree_.hitTest(event->position().toPoint());
    Element* pressed = pressed_;
    pressed_ = nullptr;
    // A click is a press and a release of the left button on one element.
    if (event->button() == Qt::LeftButton && hit != nullptr && hit == pressed) {
        hit->click();
    }
}

void ElementWindow::mouseMoveEvent(QMouseEvent* event) {
    Element* hit = tree_.hitTest(event->position().toPoint());
    if (hit != nullptr) {
        hit->mouseMove(localTwips(*hit, event->position()));
    }
}

}  // namespace ovant
