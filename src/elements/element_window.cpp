#include "elements/element_window.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace ovant {

ElementWindow::ElementWindow(Twips twips, const PictureStore* pictures, QWidget* parent)
    : QWidget(parent), tree_(twips, pictures) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    frameTimer_.setSingleShot(true);
    frameTimer_.setTimerType(Qt::PreciseTimer);
    connect(&frameTimer_, &QTimer::timeout, this, &ElementWindow::flush);
    tree_.setOnDirty([this] { scheduleFrame(); });
}

void ElementWindow::scheduleFrame() {
    if (frameTimer_.isActive()) {
        return;
    }
    // The first change after a quiet spell shows at once (a click answers
    // without delay); within a frame's time of the last one it waits for
    // the rest of that time, and everything that changes meanwhile rides
    // along in the same frame.
    const qint64 since = msSinceFrame();
    qint64 wait = std::max<qint64>(0, kFrameMs - since);
    if (clock_ != nullptr && clock_->isActive()) {
        // The clock's tick takes the frame; this is only the fallback.
        wait += clock_->interval() + 2;
    }
    frameTimer_.start(static_cast<int>(wait));
}

qint64 ElementWindow::msSinceFrame() const {
    // Before the first frame, a frame's time has passed already.
    return sinceFrame_.isValid() ? sinceFrame_.elapsed() : qint64{kFrameMs};
}

void ElementWindow::rideFramesOn(QTimer* clock) {
    clock_ = clock;
    connect(clock, &QTimer::timeout, this, &ElementWindow::clockTick);
}

void ElementWindow::clockTick() {
    if (!frameTimer_.isActive()) {
        return;  // nothing changed since the last frame
    }
    // The tick nearest the due time takes the frame: a tick less than half
    // a clock step early rather than a wake-up of its own.
    const qint64 since = msSinceFrame();
    if (since + clock_->interval() / 2 >= kFrameMs) {
        flush();
    }
}

int ElementWindow::msUntilFrame() const {
    return frameTimer_.isActive() ? std::max(0, frameTimer_.remainingTime()) : -1;
}

void ElementWindow::flush() {
    frameTimer_.stop();
    sinceFrame_.start();
    const QRegion region = tree_.takeDirty();
    if (!region.isEmpty() && isVisible()) {
        // Painted in this wake-up; a posted request would wake the loop once
        // more.
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
    // Whatever the elements leave uncovered is the window's black. An opaque
    // root over the whole area leaves nothing uncovered, and filling the box
    // around a frame's scattered areas first would cost as much again.
    const Element& root = tree_.root();
    if (!root.visible() || root.backColor().alpha() != 255 ||
        !root.pixelRect().contains(event->rect())) {
        painter.fillRect(event->rect(), Qt::black);
    }
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
