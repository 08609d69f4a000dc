#pragma once

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
    static constexpr int kFrameMs = 16;

    ElementWindow(Twips twips, const PictureStore* pictures, QWidget* parent = nullptr);

    ElementTree& tree() { return tree_; }
    Element& root() { return tree_.root(); }

    // Paints what has changed right now (a "repaint now"), for the moments
    // when no event will run for a while.
    void flush();
    // Frameless and over the whole screen. A maximised window would stop at
    // desktop panels, and without a window manager it keeps its old size.
    void coverScreen(const QRect& screenPixels);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void frame();
    QPointF localTwips(const Element& e, QPointF pixel) const;

    ElementTree tree_;
    QTimer frameTimer_;
    Element* pressed_ = nullptr;
};

}  // namespace ovant
