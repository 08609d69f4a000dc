#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include "elements/element_tree.h"

namespace ovant {

// A top-level window that shows one element tree. Changes are collected and
// painted together once per frame, so many small timer-driven changes cost
// one repaint of the touched areas, not one repaint each.
class ElementWindow : public QWidget {
    Q_OBJECT
public:
    // At most one frame in this many milliseconds. The fastest thing on the
    // console, a ship, moves a pixel every third 10 ms step, so 30 frames a
    // second still show every pixel it moves; the number columns change
    // in the same frames.
    static constexpr int kFrameMs = 33;

    ElementWindow(Twips twips, const PictureStore* pictures, QWidget* parent = nullptr);

    ElementTree& tree() { return tree_; }
    Element& root() { return tree_.root(); }

    // Paints what has changed right now (a "repaint now"), for the moments
    // when no event will run for a while.
    void flush();
    // Frameless and over the whole screen. A maximised window would stop at
    // desktop panels, and without a window manager it keeps its old size.
    void coverScreen(const QRect& screenPixels);

    // Milliseconds until the next frame is taken; -1 while none is due.
    int msUntilFrame() const;

    // While this fast clock runs, frames are taken on its ticks (after the
    // handlers connected before this call) instead of on a wake-up of their
    // own: a travelling ship's clock wakes the program anyway, and a frame
    // timer beside it would add thirty wake-ups a second more. The frame
    // timer stays armed a little later than due, so a change still shows
    // when the clock stops.
    void rideFramesOn(QTimer* clock);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

    // A window pixel in twips inside an element, as its mouse handlers get it.
    QPointF localTwips(const Element& e, QPointF pixel) const;

private:
    void scheduleFrame();
    void clockTick();
    qint64 msSinceFrame() const;

    ElementTree tree_;
    QTimer frameTimer_;
    QTimer* clock_ = nullptr;
    QElapsedTimer sinceFrame_;  // invalid until the first frame
    Element* pressed_ = nullptr;
};

}  // namespace ovant
