#pragma once

#include <QCache>
#include <QFont>
#include <QHash>
#include <QRegion>
#include <functional>
#include <memory>

#include "elements/element.h"
#include "elements/text_layout.h"
#include "platform/twips.h"

class QPainter;

namespace ovant {

class PictureStore;

// All elements of one window, the one twips-to-pixels conversion for them,
// and the area that has changed since the last frame. Widget-free: a window
// paints the tree, tests read it directly.
class ElementTree {
public:
    ElementTree(Twips twips, const PictureStore* pictures);

    Element& root() { return *root_; }
    const Element& root() const { return *root_; }

    // Creates an element in `parent` (the root when null) and registers its name.
    Element* create(Element* parent, ElementKind kind, const QString& name);
    Element* find(const QString& name) const;

    const Twips& twips() const { return twips_; }
    // A new scale redraws everything.
    void setTwips(Twips twips);
    QFont font(FontSpec wanted) const;
    const PictureStore* pictures() const { return pictures_; }

    // Changed areas, collected until the window takes them for one frame.
    void markDirty(const QRect& pixels);
    void markAllDirty();
    bool dirty() const { return !dirty_.isEmpty(); }
    QRegion takeDirty();
    // `handler` runs once each time the tree goes from clean to dirty. A tree
    // that is dirty already when the handler is set calls it at once: those
    // changes would otherwise wait for a frame that nobody asked for, and
    // every later change would find the tree dirty and ask for none either.
    void setOnDirty(std::function<void()> handler);

    // Bumped whenever pixel boxes may move without their elements being
    // touched: a new scale, or a container that moves or resizes. Elements
    // keep their pixel boxes for as long as it stays the same.
    quint64 geometryGeneration() const { return geometryGeneration_; }
    void geometryChanged() { ++geometryGeneration_; }

    void paint(QPainter& painter, const QRegion& region) const;
    // The topmost element under a window pixel that receives the mouse.
    Element* hitTest(QPoint pixel) const;

private:
    // `region`: the frame's areas when they are painted in one pass (null
    // while each area is painted on its own, `clip` being that area).
    void paintElement(QPainter& painter, const Element& e, const QRect& clip,
                      const QRegion* region = nullptr) const;
    // Rows at the top of a label that its container cuts off.
    int hiddenTop(const Element& label) const;
    // The laid-out text of a label, kept while labels show the same text in
    // the same font and width (a moving label repaints many times a second).
    std::shared_ptr<const TextLayout> layoutOf(const Element& label, int widthPixels) const;
    Element* hitTestIn(Element& e, QPoint pixel, const QRect& clip) const;
    // A round shape drawn into an image of its box's size.
    const QImage& circleOf(const Element& shape, QSize size, qreal ratio) const;
    // A picture with an outline, drawn once over its back colour into an
    // image that is clear outside the outline.
    const QImage& cutPictureOf(const Element& picture, QSize size, qreal ratio) const;
    // A moving label's text, drawn once into an image of its paint area
    // (`area`: its box and the rows its descenders may hang below); null
    // while the label has not moved since its text, colour or size last
    // changed, or is too large to keep: such a label draws its text directly.
    const QImage* movingTextOf(const Element& label, const std::shared_ptr<const TextLayout>& layout,
                               const QRect& area, int hidden, const QPainter& painter) const;
    // A moving label larger than this many pixels draws its text directly.
    static constexpr int kMostMovingTextPixels = 25000;
    // A star picture's dots in pixels from its corner.
    const std::vector<QRect>& dotsOf(const Element& picture) const;

    Twips twips_;
    const PictureStore* pictures_;
    std::unique_ptr<Element> root_;
    QHash<QString, Element*> byName_;
    QRegion dirty_;
    std::function<void()> onDirty_;
    quint64 geometryGeneration_ = 1;
    // Layouts of texts shown lately, for labels whose text comes back (an
    // info label's cycle, a panel built again). The number columns show a
    // new number every few ticks that never comes back: the least recently
    // used layouts go, so that they never pile up.
    static constexpr int kKeptLayouts = 512;
    mutable QCache<QString, std::shared_ptr<const TextLayout>> layouts_{kKeptLayouts};
};

}  // namespace ovant
