#include "platform/process_launch.h"

#include <QDir>
#include <QProcess>
#include <cerrno>
#include <cstring>

namespace ovant {

namespace {

// QProcess reports a failed start only as text such as "execv: No such file
// or directory"; the number is found again by the system's own description.
StartFailure failureOf(const QProcess& process) {
    const QString text = process.errorString();
    const qsizetype colon = text.lastIndexOf(QStringLiteral(": "));
    const QString description = colon >= 0 ? text.mid(colon + 2) : text;
    for (int number = 1; number < 256; ++number) {
        if (description == QString::fromLocal8Bit(std::strerror(number))) {
            return {number, description};
        }
    }
    return {0, description};
}

StartFailure noProgram() {
    return {ENOENT, QString::fromLocal8Bit(std::strerror(ENOENT))};
}

}  // namespace

QString consoleProgram(const QString& folder) {
    if (folder.trimmed().isEmpty()) {
        return {};
    }
#ifdef Q_OS_WIN
    const QString file = QStringLiteral("OVANT-Scan.exe");
#else
    const QString file = QStringLiteral("OVANT-Scan");
#endif
    // A drive root keeps its closing separator; filePath joins either way.
    return QDir::toNativeSeparators(QDir(QDir::fromNativeSeparators(folder)).filePath(file));
}

std::optional<StartFailure> runAndWait(const QString& program, const QStringList& arguments) {
    if (program.isEmpty()) {
        return noProgram();
    }
    QProcess process;
    // Its output goes where ours goes; nothing piles up in a pipe that nobody
    // reads while we wait.
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);
    process.start(program, arguments);
    if (!process.waitForStarted(-1)) {
        return failureOf(process);
    }
    // Sleeps in the system until the program ends; no event is processed.
    process.waitForFinished(-1);
    return std::nullopt;
}

std::optional<StartFailure> startDetached(const QString& program, const QStringList& arguments) {
    if (program.isEmpty()) {
        return noProgram();
    }
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    if (!process.startDetached()) {
        return failureOf(process);
    }
    return std::nullopt;
}

}  // namespace ovant
