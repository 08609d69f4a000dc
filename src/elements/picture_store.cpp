#include "elements/picture_store.h"

#include <QPainter>
#include <QSvgRenderer>
#include <cmath>

namespace ovant {

namespace {

const QPixmap& emptyPixmap() {
    static const QPixmap none;
    return none;
}

}  // namespace

PictureStore::PictureStore() = default;

QString PictureStore::resourceFor(const QString& name) const {
    // File names keep to ASCII; the console's picture names use the German ß.
    QString file = name;
    file.replace(QChar(0x00DF), QStringLiteral("ss"));
    return QStringLiteral(":/assets/") + file + QStringLiteral(".svg");
}

const QPixmap& PictureStore::pixmap(const QString& name, double scale,
                                    double devicePixelRatio) const {
    const QString key = name + QLatin1Char('@') + QString::number(scale * devicePixelRatio);
    const auto cached = cache_.constFind(key);
    if (cached != cache_.constEnd()) {
        return *cached;
    }
    QSvgRenderer renderer(resourceFor(name));
    if (!renderer.isValid()) {
        return emptyPixmap();
    }
    const QSize logical = renderer.defaultSize();
    const double factor = scale * devicePixelRatio;
    const QSize device(static_cast<int>(std::lround(logical.width() * factor)),
                       static_cast<int>(std::lround(logical.height() * factor)));
    QPixmap pix(device);
    pix.fill(Qt::transparent);
    {
        QPainter painter(&pix);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(device)));
    }
    pix.setDevicePixelRatio(devicePixelRatio);
    return *cache_.insert(key, pix);
}

}  // namespace ovant
