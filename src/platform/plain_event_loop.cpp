#include "platform/plain_event_loop.h"

#include <QByteArray>
#include <QtGlobal>

namespace ovant {

void preferPlainEventLoop() {
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB")) {
        qputenv("QT_NO_GLIB", QByteArrayLiteral("1"));
    }
}

}  // namespace ovant
