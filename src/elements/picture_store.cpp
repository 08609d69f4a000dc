#include "elements/picture_store.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>

namespace ovant {

namespace {

const QPixmap& emptyPixmap() {
    static const QPixmap none;
    return none;
}

// A picture drawn on whole pixels for a key colour (the ship icon) says so
// with crisp edges on its root; it must keep its colours exact at any scale.
bool wantsCrispEdges(const QString& resource) {
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray head = file.read(1024);
    const int root = head.indexOf("<svg");
    const int rootEnd = head.indexOf('>', root);
    return root >= 0 && rootEnd > root &&
           head.mid(root, rootEnd - root).contains("shape-rendering=\"crispEdges\"");
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
    const QString resource = resourceFor(name);
    QSvgRenderer renderer(resource);
    if (!renderer.isValid()) {
        return emptyPixmap();
    }
    const QSize logical = renderer.defaultSize();
    const bool crisp = wantsCrispEdges(resource);
    // Crisp pictures take a whole-number scale and no antialiasing, so that
    // no pixel blends its colour with the key colour beside it.
    const double factor =
        crisp ? std::max(1.0, std::round(scale * devicePixelRatio)) : scale * devicePixelRatio;
    const QSize device(static_cast<int>(std::lround(logical.width() * factor)),
                       static_cast<int>(std::lround(logical.height() * factor)));
    QPixmap pix(device);
    pix.fill(Qt::transparent);
    {
        QPainter painter(&pix);
        painter.setRenderHint(QPainter::Antialiasing, !crisp);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(device)));
    }
    pix.setDevicePixelRatio(devicePixelRatio);
    return *cache_.insert(key, pix);
}

}  // namespace ovant
