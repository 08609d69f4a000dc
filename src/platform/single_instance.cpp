#include "platform/single_instance.h"

#include <QDir>
#include <QStandardPaths>

namespace ovant {

SingleInstance::SingleInstance(const QString& name) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    QDir().mkpath(folder);
    lock_ = std::make_unique<QLockFile>(QDir(folder).filePath(name + QStringLiteral(".lock")));
    lock_->setStaleLockTime(0);  // only a dead owner makes a lock stale
    acquired_ = lock_->tryLock(0);
}

}  // namespace ovant
