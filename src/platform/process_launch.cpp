#include "platform/process_launch.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <cerrno>
#include <cstring>

#include "platform/end_signals.h"

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

std::optional<StartFailure> runAndWait(const QString& program, const QStringList& arguments,
                                       int* exitCode) {
    if (program.isEmpty()) {
        return noProgram();
    }
    QProcess process;
    // Its output goes where ours goes; nothing piles up in a pipe that nobody
    // reads while we wait.
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);
    // Whoever ends us (a screen-saver daemon, even with SIGKILL) ends the
    // program too; it must not stay on the screen without us.
    const qint64 us = QCoreApplication::applicationPid();
    process.setChildProcessModifier([us] { endWithParent(us); });
    process.start(program, arguments);
    if (!process.waitForStarted(-1)) {
        return failureOf(process);
    }
    {
        // A request to end us goes on to the program; we end with it.
        const EndRequestForwarding forwarding(process.processId());
        // Sleeps in the system until the program ends; no event is processed.
        process.waitForFinished(-1);
    }
    if (exitCode != nullptr) {
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
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
