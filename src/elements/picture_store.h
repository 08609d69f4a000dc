#pragma once

#include <QCache>
#include <QHash>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace ovant {

// The hidden store of named pictures that elements copy by name. Our artwork
// is vector drawn and rendered at the size the window needs, so it stays
// crisp at any scale and on high-density screens.
class PictureStore {
public:
    PictureStore();

    // Large pictures (a zoom view's schematic, a panel, a ship) kept at once,
    // in kilobytes at their designed size, whatever the scale: enough for
    // everything one window shows together (a zoom view, a panel and a ship
    // come to 1.1 MB; the info window's pictures, in a store of their own,
    // to 0.8 MB), so that no picture in view is drawn again for each frame.
    static constexpr int kLargeKeptKb = 1280;
    // A picture of at least this many kilobytes at its designed size is large.
    static constexpr int kLargeKb = 48;

    // The picture at its designed size times scale, for a device-pixel ratio;
    // an unknown name gives an empty pixmap.
    QPixmap pixmap(const QString& name, double scale, double devicePixelRatio) const;

    // Kilobytes at designed size of the large pictures kept right now.
    int largeKeptKb() const { return large_.totalCost(); }

private:
    // A picture as rendered: its name and its device pixels per designed
    // pixel. Looked up on every paint of a picture, so no text is made of it.
    struct Key {
        QString name;
        double factor;
        bool operator==(const Key&) const = default;
    };
    friend size_t qHash(const Key& key, size_t seed = 0) {
        return qHashMulti(seed, key.name, key.factor);
    }

    QString resourceFor(const QString& name) const;
    // The frame's pieces are small and on screen all the time: kept for good.
    mutable QHash<Key, QPixmap> small_;
    // The large ones come and go with the scenes; the least recently used
    // goes first, so memory stays flat however many kinds a long run shows.
    mutable QCache<Key, QPixmap> large_{kLargeKeptKb};
};

}  // namespace ovant
