#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace ovant {

// Why a program did not start: the system's error number (0 when the system
// gave none) and its description.
struct StartFailure {
    int number = 0;
    QString description;
};

// The console's executable in the folder the console stored for itself; empty
// when no folder is known, so that nothing at the file system's root is
// started by mistake.
QString consoleProgram(const QString& folder);

// Starts `program` directly, with `arguments` handed over one by one: no
// shell and no command line to split, so blanks, quotes, "$" and ";" in the
// folder or in an argument reach the program unchanged. The started program
// shares this process's terminal, environment and working folder.
//
// Blocks without processing events until the program has ended; returns the
// failure at once when it cannot be started. `exitCode`, when given, receives
// the program's exit code (-1 when it crashed). A request to end this process
// (SIGTERM, SIGINT, SIGHUP) while it waits is passed on to the program, and
// the program gets SIGTERM should this process die without passing it on.
std::optional<StartFailure> runAndWait(const QString& program, const QStringList& arguments,
                                       int* exitCode = nullptr);

// Starts the program and returns at once; it lives on on its own.
std::optional<StartFailure> startDetached(const QString& program, const QStringList& arguments);

}  // namespace ovant
