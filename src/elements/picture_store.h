#pragma once

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

    // The picture at its designed size times scale, for a device-pixel ratio;
    // an unknown name gives an empty pixmap.
    const QPixmap& pixmap(const QString& name, double scale, double devicePixelRatio) const;

private:
    QString resourceFor(const QString& name) const;
    mutable QHash<QString, QPixmap> cache_;
};

}  // namespace ovant
