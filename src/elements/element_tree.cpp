#include "elements/element_tree.h"

#include <QFontDatabase>
#include <QPainter>
#include <QTransform>
#include <cmath>

#include "elements/picture_store.h"
#include "elements/text_layout.h"

namespace ovant {

namespace {

struct FaceChoice {
    QString family;
    bool bold;
    int stretch;
};

// The designed display faces when they are installed; otherwise a free
// condensed face from Debian's fonts-roboto-unhinted, narrowed so that every
// text keeps to its box (each info label still shows one part per line).
// Below about a dozen pixels the regular weight, narrowed that much, has
// stems of half a pixel: antialiased they come out as faint hairlines that
// lose their colour. Small monitor text (the number columns) therefore takes
// the bold weight, narrowed less, which still fits the columns.
FaceChoice chooseFace(FontFace face, int pixels) {
    static const bool hasMonitor = QFontDatabase::hasFamily(QStringLiteral("Trek TNG Monitors"));
    static const bool hasNarrow = QFontDatabase::hasFamily(QStringLiteral("Haettenschweiler"));
    static const bool hasRoboto = QFontDatabase::hasFamily(QStringLiteral("Roboto Condensed"));
    if (face == FontFace::Narrow) {
        if (hasNarrow) {
            return {QStringLiteral("Haettenschweiler"), false, 100};
        }
        return hasRoboto ? FaceChoice{QStringLiteral("Roboto Condensed"), true, 70}
                         : FaceChoice{QStringLiteral("Liberation Sans Narrow"), false, 57};
    }
    if (hasMonitor) {
        return {QStringLiteral("Trek TNG Monitors"), false, 100};
    }
    const bool small = pixels <= 12;
    if (hasRoboto) {
        return small ? FaceChoice{QStringLiteral("Roboto Condensed"), true, 84}
                     : FaceChoice{QStringLiteral("Roboto Condensed"), false, 56};
    }
    return small ? FaceChoice{QStringLiteral("Liberation Sans Narrow"), true, 80}
                 : FaceChoice{QStringLiteral("Liberation Sans Narrow"), false, 66};
}

bool paintsLast(const Element& e) {
    // Pictures are windows of their own and cover the lighter elements
    // (labels, shapes, lines, images) of the same container.
    return e.kind() == ElementKind::Picture;
}

}  // namespace

ElementTree::ElementTree(Twips twips, const PictureStore* pictures)
    : twips_(twips),
      pictures_(pictures),
      root_(std::make_unique<Element>(*this, nullptr, ElementKind::Picture, QStringLiteral(""))) {
    root_->setOpaque(true);
}

Element* ElementTree::create(Element* parent, ElementKind kind, const QString& name) {
    Element* owner = parent != nullptr ? parent : root_.get();
    Element* e = owner->addChild(std::make_unique<Element>(*this, owner, kind, name));
    if (!name.isEmpty()) {
        byName_.insert(name, e);
    }
    return e;
}

Element* ElementTree::find(const QString& name) const {
    return byName_.value(name, nullptr);
}

void ElementTree::setTwips(Twips twips) {
    twips_ = twips;
    geometryChanged();
    markAllDirty();
}

void ElementTree::setOnDirty(std::function<void()> handler) {
    onDirty_ = std::move(handler);
    if (dirty() && onDirty_) {
        onDirty_();
    }
}

QFont ElementTree::font(FontSpec wanted) const {
    const int pixels = twips_.fontPixels(wanted.points);
    const FaceChoice choice = chooseFace(wanted.face, pixels);
    QFont f(choice.family);
    f.setPixelSize(pixels);
    f.setBold(choice.bold);
    f.setStretch(choice.stretch);
    return f;
}

void ElementTree::markDirty(const QRect& pixels) {
    if (pixels.isEmpty()) {
        return;
    }
    const bool wasClean = dirty_.isEmpty();
    dirty_ += pixels;
    if (wasClean && onDirty_) {
        onDirty_();
    }
}

void ElementTree::markAllDirty() {
    markDirty(root_->pixelRect());
}

QRegion ElementTree::takeDirty() {
    QRegion taken;
    std::swap(taken, dirty_);
    return taken;
}

void ElementTree::paint(QPainter& painter, const QRegion& region) const {
    if (!root_->visible()) {
        return;
    }
    // A frame's changes lie far apart (a moving ship, the scanner's long
    // lines, a number): painting each changed rectangle on its own skips
    // everything between them. Many small ones are cheaper in one go.
    constexpr int kRectsOneByOne = 16;
    if (region.rectCount() > kRectsOneByOne) {
        painter.save();
        painter.setClipRegion(region);
        paintElement(painter, *root_, region.boundingRect(), &region);
        painter.restore();
        return;
    }
    for (const QRect& rect : region) {
        painter.save();
        painter.setClipRect(rect);
        paintElement(painter, *root_, rect);
        painter.restore();
    }
}

std::shared_ptr<const TextLayout> ElementTree::layoutOf(const Element& label,
                                                        int widthPixels) const {
    // The label keeps its layout until its text, font, alignment, wrap or
    // colour change (each drops it), its width or the scale.
    Element::PaintCache& kept = label.cache_;
    if (kept.layout && kept.layoutWidth == widthPixels &&
        kept.layoutGeneration == geometryGeneration_) {
        return kept.layout;
    }
    const QFont f = font(label.font());
    const QString key = f.key() + QLatin1Char('|') + QString::number(widthPixels) +
                        QLatin1Char('|') + QString::number(label.wordWrap()) + QLatin1Char('|') +
                        QString::number(label.alignment().toInt()) + QLatin1Char('|') +
                        label.text();
    std::shared_ptr<const TextLayout> layout;
    if (const auto* known = layouts_.object(key)) {
        layout = *known;
    } else {
        layout = std::make_shared<const TextLayout>(f, label.text(), widthPixels, label.wordWrap(),
                                                    label.alignment());
        layouts_.insert(key, new std::shared_ptr<const TextLayout>(layout));
    }
    kept.layout = layout;
    kept.layoutWidth = widthPixels;
    kept.layoutGeneration = geometryGeneration_;
    return layout;
}

const QImage& ElementTree::circleOf(const Element& shape, QSize size, qreal ratio) const {
    // The object markers lie where the scanner's lines pass all the time:
    // each is drawn once, antialiased, and copied after that until its size
    // or colours change.
    Element::PaintCache& kept = shape.cache_;
    const int border = shape.borderPixels();
    if (size.isEmpty() ||
        (kept.circleSize == size && kept.circle.devicePixelRatio() == ratio &&
         kept.circleBorderPixels == border && kept.circleBorder == shape.borderColor() &&
         kept.circleFill == shape.backColor() && kept.circleOpaque == shape.opaque())) {
        return kept.circle;
    }
    // Drawn at the screen's own resolution, as the painter would have.
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const int d = std::min(size.width(), size.height());
    QRectF circle((size.width() - d) / 2.0, (size.height() - d) / 2.0, d, d);
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (border > 0) {
        circle.adjust(border / 2.0, border / 2.0, -border / 2.0, -border / 2.0);
        painter.setPen(QPen(shape.borderColor(), border));
    } else {
        painter.setPen(Qt::NoPen);
    }
    painter.setBrush(shape.opaque() ? QBrush(shape.backColor()) : QBrush(Qt::NoBrush));
    painter.drawEllipse(circle);
    painter.end();
    kept.circle = image;
    kept.circleSize = size;
    kept.circleBorderPixels = border;
    kept.circleBorder = shape.borderColor();
    kept.circleFill = shape.backColor();
    kept.circleOpaque = shape.opaque();
    return kept.circle;
}

const QImage& ElementTree::cutPictureOf(const Element& picture, QSize size, qreal ratio) const {
    Element::PaintCache& kept = picture.cache_;
    QPixmap pixmap;
    if (!picture.picture().isEmpty() && pictures_ != nullptr) {
        pixmap = pictures_->pixmap(picture.picture(), twips_.scale(), ratio);
    }
    if (kept.cutSize == size && kept.cutRatio == ratio && kept.cutFill == picture.backColor() &&
        kept.cutPixmap == pixmap.cacheKey() && kept.cutOutline == picture.outlineSerial_ &&
        kept.cutGeneration == geometryGeneration_ && !kept.cut.isNull()) {
        return kept.cut;
    }
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setClipRegion(
        QTransform::fromScale(twips_.scale(), twips_.scale()).map(picture.outline()));
    painter.fillRect(QRect(QPoint(0, 0), size), picture.backColor());
    if (!pixmap.isNull()) {
        // A picture cut to an outline keeps whole pixels and so a whole-number
        // scale; at any other scale it is stretched pixel by pixel (no
        // smoothing, no new colours) to its box, which its outline fills.
        if (pixmap.deviceIndependentSize().toSize() != size) {
            painter.drawPixmap(QRect(QPoint(0, 0), size), pixmap);
        } else {
            painter.drawPixmap(QPoint(0, 0), pixmap);
        }
    }
    painter.end();
    kept.cut = image;
    kept.cutSize = size;
    kept.cutRatio = ratio;
    kept.cutFill = picture.backColor();
    kept.cutPixmap = pixmap.cacheKey();
    kept.cutOutline = picture.outlineSerial_;
    kept.cutGeneration = geometryGeneration_;
    return kept.cut;
}

const QImage* ElementTree::movingTextOf(const Element& label,
                                        const std::shared_ptr<const TextLayout>& layout,
                                        const QRect& area, int hidden,
                                        const QPainter& painter) const {
    Element::PaintCache& kept = label.cache_;
    const QColor colour = painter.pen().color();
    if (kept.textLayout != layout || kept.textColour != colour || kept.textSize != area.size() ||
        kept.textHidden != hidden) {
        // A new text, colour or size: drawn directly until the label moves.
        kept.textLayout = layout;
        kept.textColour = colour;
        kept.textSize = area.size();
        kept.textHidden = hidden;
        kept.textAt = area.topLeft();
        kept.text = QImage();
        return nullptr;
    }
    if (kept.text.isNull()) {
        if (kept.textAt == area.topLeft() ||
            qint64{area.width()} * area.height() > kMostMovingTextPixels ||
            !painter.deviceTransform().isIdentity()) {
            return nullptr;
        }
        QImage image(area.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter draw(&image);
        draw.setPen(colour);
        layout->draw(draw, QRectF(QPointF(0, 0), QSizeF(area.width(), label.pixelRect().height())),
                     hidden);
        draw.end();
        kept.text = image;
    }
    return &kept.text;
}

const std::vector<QRect>& ElementTree::dotsOf(const Element& picture) const {
    Element::PaintCache& kept = picture.cache_;
    const std::vector<StarPoint>& points = picture.points();
    if (kept.dotsPoints == points.size() && kept.dotsGeneration == geometryGeneration_) {
        return kept.dots;
    }
    kept.dots.clear();
    kept.dots.reserve(points.size());
    for (const StarPoint& p : points) {
        const int x = twips_.toPixels(p.x);
        const int y = twips_.toPixels(p.y);
        const int size = std::max(1, static_cast<int>(std::lround(p.sizePixels * twips_.scale())));
        kept.dots.emplace_back(x - (size - 1) / 2, y - (size - 1) / 2, size, size);
    }
    kept.dotsPoints = points.size();
    kept.dotsGeneration = geometryGeneration_;
    return kept.dots;
}

int ElementTree::hiddenTop(const Element& label) const {
    return std::max(0, label.clipRect().top() - label.pixelRect().top());
}

void ElementTree::paintElement(QPainter& painter, const Element& e, const QRect& clip,
                               const QRegion* region) const {
    const QRect rect = e.pixelRect();
    QRect area = rect;
    // Most labels lie outside the area being painted; measure only those
    // whose descenders could reach into it.
    if (e.kind() == ElementKind::Label && !e.text().isEmpty() && !e.textSpansHeight() &&
        clip.intersects(rect.adjusted(0, 0, 0, TextLayout::kMaxOverhang))) {
        area.setBottom(rect.bottom() +
                       layoutOf(e, rect.width())->placement(rect.height(), hiddenTop(e)).overhang);
    }
    const QRect visibleArea = area & clip;
    if (e.kind() != ElementKind::Line && visibleArea.isEmpty()) {
        return;
    }
    // Painting many areas in one go, the areas an element touches are often
    // a single rectangle: a clip of one rectangle costs far less than a clip
    // made of many.
    const auto clipTo = [&painter, region](const QRect& r) {
        if (region == nullptr) {
            painter.setClipRect(r);
            return true;
        }
        const QRegion part = *region & r;
        if (part.rectCount() == 1) {
            painter.setClipRect(part.boundingRect());
        } else {
            painter.setClipRegion(part);
        }
        return !part.isEmpty();
    };
    switch (e.kind()) {
        case ElementKind::Picture: {
            if (!clipTo(visibleArea)) {
                // Nothing of it, nor of what it holds, lies in this frame's areas.
                return;
            }
            if (e.hasOutline()) {
                // Clipping to the outline itself would cost a clip of many
                // spans each time the moving ship is painted.
                painter.drawImage(
                    rect.topLeft(),
                    cutPictureOf(e, rect.size(), painter.device()->devicePixelRatioF()));
                if (!e.points().empty()) {
                    // Stars on a cut picture stay inside its outline.
                    painter.setClipRegion(QTransform::fromScale(twips_.scale(), twips_.scale())
                                              .map(e.outline())
                                              .translated(rect.topLeft()),
                                          Qt::IntersectClip);
                }
            } else {
                painter.fillRect(rect, e.backColor());
                if (!e.picture().isEmpty() && pictures_ != nullptr) {
                    painter.drawPixmap(rect.topLeft(),
                                       pictures_->pixmap(e.picture(), twips_.scale(),
                                                         painter.device()->devicePixelRatioF()));
                }
            }
            if (!e.points().empty()) {
                // A frame repaints a few small areas of the star field; most
                // stars lie outside them.
                const QRect near = visibleArea.translated(-rect.topLeft());
                const std::vector<QRect>& dots = dotsOf(e);
                for (std::size_t i = 0; i < dots.size(); ++i) {
                    if (dots[i].intersects(near)) {
                        painter.fillRect(dots[i].translated(rect.topLeft()), e.points()[i].color);
                    }
                }
            }
            break;
        }
        case ElementKind::Label: {
            if (!clipTo(visibleArea)) {
                break;
            }
            if (e.opaque()) {
                painter.fillRect(rect, e.backColor());
            }
            if (!e.text().isEmpty()) {
                painter.setPen(e.foreColor());
                const auto layout = layoutOf(e, rect.width());
                if (e.textSpansHeight()) {
                    layout->drawSpanningHeight(painter, rect);
                } else if (const QImage* moving =
                               movingTextOf(e, layout, area, hiddenTop(e), painter)) {
                    painter.drawImage(area.topLeft(), *moving);
                } else {
                    layout->draw(painter, rect, hiddenTop(e), visibleArea);
                }
            }
            break;
        }
        case ElementKind::Shape: {
            if (!clipTo(visibleArea)) {
                break;
            }
            const int border = e.borderPixels();
            if (e.form() == ShapeForm::Circle) {
                painter.drawImage(rect.topLeft(),
                                  circleOf(e, rect.size(), painter.device()->devicePixelRatioF()));
            } else {
                if (e.opaque()) {
                    painter.fillRect(rect, e.backColor());
                }
                if (border > 0) {
                    painter.setPen(QPen(e.borderColor(), border));
                    painter.setBrush(Qt::NoBrush);
                    painter.drawRect(rect.adjusted(0, 0, -1, -1));
                }
            }
            break;
        }
        case ElementKind::Line: {
            const int pen = std::max(1, e.borderPixels());
            // The scanner's long lines cross the sector; most frames repaint
            // areas far from them.
            if (!clip.intersects(rect.adjusted(-pen, -pen, pen + 1, pen + 1))) {
                break;
            }
            const QPoint origin = e.parent()->pixelRect().topLeft();
            const QPoint a = origin + QPoint(twips_.toPixels(e.x1()), twips_.toPixels(e.y1()));
            const QPoint b = origin + QPoint(twips_.toPixels(e.x2()), twips_.toPixels(e.y2()));
            if (pen == 1 && a != b && (a.x() == b.x() || a.y() == b.y()) &&
                painter.deviceTransform().isIdentity()) {
                // A one-pixel line along a row or a column covers the pixels
                // from end to end, both included; filling them is far
                // cheaper than stroking a line that crosses the sector.
                const QRect covered =
                    QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                          QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y()))) &
                    clip;
                if (!covered.isEmpty() && clipTo(covered)) {
                    painter.fillRect(covered, e.borderColor());
                }
            } else {
                (void)clipTo(clip);
                painter.setPen(QPen(e.borderColor(), pen));
                painter.drawLine(a, b);
            }
            break;
        }
        case ElementKind::Image: {
            if (!clipTo(visibleArea)) {
                break;
            }
            if (!e.picture().isEmpty() && pictures_ != nullptr) {
                painter.drawPixmap(rect.topLeft(),
                                   pictures_->pixmap(e.picture(), twips_.scale(),
                                                     painter.device()->devicePixelRatioF()));
            }
            break;
        }
    }
    if (e.children().empty()) {
        return;
    }
    const QRect childClip = e.kind() == ElementKind::Picture ? visibleArea : clip;
    for (const bool pictures : {false, true}) {
        for (const auto& child : e.children()) {
            if (child->visible() && paintsLast(*child) == pictures) {
                paintElement(painter, *child, childClip, region);
            }
        }
    }
}

Element* ElementTree::hitTest(QPoint pixel) const {
    return hitTestIn(*root_, pixel, root_->pixelRect());
}

Element* ElementTree::hitTestIn(Element& e, QPoint pixel, const QRect& clip) const {
    if (!e.visible()) {
        return nullptr;
    }
    const QRect area = e.pixelRect() & clip;
    if (!area.contains(pixel) || !e.outlineContains(pixel)) {
        return nullptr;
    }
    const QRect childClip = e.kind() == ElementKind::Picture ? area : clip;
    for (const bool pictures : {true, false}) {
        for (auto it = e.children().rbegin(); it != e.children().rend(); ++it) {
            if (paintsLast(**it) != pictures || !(*it)->receivesMouse()) {
                continue;
            }
            if (Element* hit = hitTestIn(**it, pixel, childClip)) {
                return hit;
            }
        }
    }
    return e.receivesMouse() ? &e : nullptr;
}

}  // namespace ovant
