#include "platform/single_instance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QSysInfo>

#include "platform/regular_file.h"

#include <sys/file.h>
#include <unistd.h>
#include <cerrno>

namespace ovant {

QString SingleInstance::lockPath(const QString& name) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QDir(folder).filePath(name + QStringLiteral(".lock"));
}

SingleInstance::SingleInstance(const QString& name) {
    const QString path = lockPath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    fd_ = openRegularLockFile(path);
    if (fd_ < 0)
        return;
    int locked = -1;
    do {
        locked = ::flock(fd_, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        acquired_ = errno != EWOULDBLOCK;
        ::close(fd_);
        fd_ = -1;
        return;
    }
    // Who holds it, for a person looking; the kernel's lock is what counts.
    const QByteArray owner = QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
                             QCoreApplication::applicationName().toUtf8() + '\n' +
                             QSysInfo::machineHostName().toUtf8() + '\n';
    if (::ftruncate(fd_, 0) == 0 && ::write(fd_, owner.constData(), owner.size()) < 0) {
        // The record is only informative.
    }
}

SingleInstance::~SingleInstance() {
    // The file stays: removing it while another start has it open would let
    // a third start lock a new file beside the second.
    if (fd_ >= 0)
        ::close(fd_);
}

}  // namespace ovant
