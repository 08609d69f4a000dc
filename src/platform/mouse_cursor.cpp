#include "platform/mouse_cursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace ovant {

namespace {

void dropAllOverrides() {
    while (QGuiApplication::overrideCursor() != nullptr) {
        QGuiApplication::restoreOverrideCursor();
    }
}

}  // namespace

void MouseCursor::hide() {
    if (hidden()) {
        return;
    }
    dropAllOverrides();
    QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
}

void MouseCursor::show() {
    dropAllOverrides();
}

bool MouseCursor::hidden() {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor != nullptr && cursor->shape() == Qt::BlankCursor;
}

}  // namespace ovant
