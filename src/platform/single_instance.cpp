#include "platform/single_instance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QSysInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
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
    // Without O_NONBLOCK a FIFO in the lock's place would hold the start.
    fd_ = ::open(QFile::encodeName(path).constData(),
                 O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW, 0600);
    if (fd_ < 0)
        return;
    struct stat info {};
    if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd_);
        fd_ = -1;
        return;
    }
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
