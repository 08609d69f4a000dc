#include "platform/frame_transfer.h"

#include <QByteArray>
#include <QtGlobal>

namespace ovant {

void preferCopiedFrames() {
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) {
        qputenv("QT_XCB_NO_MITSHM", QByteArrayLiteral("1"));
    }
}

}  // namespace ovant
