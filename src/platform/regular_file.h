#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace ovant {

// What a path names once symbolic links are followed. Nothing is opened, so
// a FIFO or a device in the path's place is only looked at.
enum class PathKind { Missing, Regular, Other };
PathKind pathKind(const QString& path);

// The whole file when it is a regular file of at most `maxBytes`. It is
// opened without blocking and checked before any byte is read, so a FIFO, a
// device or a folder in its place gives no value at once instead of hanging
// or reading for ever.
std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes);

// Whether the path can be opened for reading as a regular file, checked the
// same way without blocking.
bool canOpenRegularFile(const QString& path);

// A lock file opened (made when missing) for the kernel's file lock: the
// descriptor, or -1 when the path cannot be opened or is no regular file. A
// FIFO in its place does not hold the caller, and a link is not followed.
int openRegularLockFile(const QString& path);

}  // namespace ovant
