#include "platform/regular_file.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

namespace ovant {
namespace {

// A descriptor that closes itself.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

// O_NONBLOCK makes opening a FIFO return at once instead of waiting for a
// writer; a regular file reads the same with or without it.
int openForReading(const QString& path) {
    int fd = -1;
    do {
        fd = ::open(QFile::encodeName(path).constData(),
                    O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

bool isRegular(int fd, struct stat* info) {
    return ::fstat(fd, info) == 0 && S_ISREG(info->st_mode);
}

}  // namespace

PathKind pathKind(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return errno == ENOENT || errno == ENOTDIR ? PathKind::Missing : PathKind::Other;
    return S_ISREG(info.st_mode) ? PathKind::Regular : PathKind::Other;
}

std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes) {
    const Descriptor fd(openForReading(path));
    struct stat info {};
    if (fd.get() < 0 || !isRegular(fd.get(), &info) || info.st_size > maxBytes)
        return std::nullopt;
    // The file may grow while it is read; one byte past the limit tells.
    QByteArray bytes;
    bytes.resize(static_cast<qsizetype>(info.st_size) + 1);
    qsizetype filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got =
            ::read(fd.get(), bytes.data() + filled, static_cast<size_t>(bytes.size() - filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        filled += got;
        if (filled == bytes.size() && filled <= maxBytes)
            bytes.resize(qMin<qint64>(bytes.size() * 2, maxBytes + 1));
    }
    if (filled > maxBytes)
        return std::nullopt;
    bytes.truncate(filled);
    return bytes;
}

bool canOpenRegularFile(const QString& path) {
    const Descriptor fd(openForReading(path));
    struct stat info {};
    return fd.get() >= 0 && isRegular(fd.get(), &info);
}

int openRegularLockFile(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW, 0600);
    struct stat info {};
    if (fd >= 0 && !isRegular(fd, &info)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace ovant
