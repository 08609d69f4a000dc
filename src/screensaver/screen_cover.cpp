#include "screensaver/screen_cover.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "platform/window_roles.h"

namespace ovant {

ScreenCover::ScreenCover(QScreen* screen, Twips twips, std::function<void()> exitConsole)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      screen_(screen),
      twips_(twips),
      exitConsole_(std::move(exitConsole)) {
    setWindowTitle(QStringLiteral("OVANT-Feldtaster"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setCursor(Qt::BlankCursor);
}

void ScreenCover::cover() {
    // A screen of another X screen lies on another root window: the native
    // window must be made there, not moved there.
    create();
    windowHandle()->setScreen(screen_);
    keepOffTaskList(winId());
    setGeometry(screen_->geometry());
    showFullScreen();
}

void ScreenCover::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
}

void ScreenCover::end() {
    // The console ends the process; a second event before that must not
    // start its leaving twice.
    if (ended_) {
        return;
    }
    ended_ = true;
    exitConsole_();
}

void ScreenCover::keyPressEvent(QKeyEvent* /*event*/) {
    end();
}

void ScreenCover::mousePressEvent(QMouseEvent* /*event*/) {
    end();
}

void ScreenCover::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    if (pointer_.jumped(QPointF(twips_.fromPixels(at.x()), twips_.fromPixels(at.y())))) {
        end();
    }
}

}  // namespace ovant
