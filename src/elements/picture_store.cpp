#include "elements/picture_store.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>

namespace ovant {

namespace {

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

QPixmap PictureStore::pixmap(const QString& name, double scale, double devicePixelRatio) const {
    const Key key{name, scale * devicePixelRatio};
    if (const auto kept = small_.constFind(key); kept != small_.constEnd()) {
        return *kept;
    }
    if (const QPixmap* kept = large_.object(key)) {
        return *kept;
    }
    const QString resource = resourceFor(name);
    QSvgRenderer renderer(resource);
    if (!renderer.isValid()) {
        return QPixmap();
    }
    const QSize logical = renderer.defaultSize();
    const int designKb = std::max(1, logical.width() * logical.height() * 4 / 1024);
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
    if (designKb < kLargeKb) {
        small_.insert(key, pix);
    } else {
        large_.insert(key, new QPixmap(pix), designKb);
    }
    return pix;
}

}  // namespace ovant
