#pragma once

#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QSize>
#include <QString>
#include <QStringList>

#include "xvfb_session.h"

// Starting the real OVANT-Scan in a private X session, and where its parts
// land on the screen.
namespace ovant::e2e {

inline const QString kConsoleTitle = QStringLiteral("^OVANT-Feldtaster$");

QString scanProgram();
bool startScan(QProcess& process, const XvfbSession& x, const QStringList& arguments = {});
// Starts the console; true once it shows itself.
bool startConsole(QProcess& console, const XvfbSession& x);
// The console shows itself and its splash has gone: until then a key can
// reach a window that is about to close and be lost.
bool waitForConsole(const XvfbSession& x);

// Twips to pixels, as the console converts them.
int px(double twips);
// Where the console picture's top-left corner lands: centred, shifted by 110
// twips right and 10 down.
QPoint picMainAt(QSize screen);

// A stored value in section "Options", set before a start as a user's earlier
// run would, or read back after the console wrote it.
void storeOption(const XvfbSession& x, const QString& key, const QString& value);
QString storedOption(const XvfbSession& x, const QString& key);

// Moves the pointer to a screen pixel and clicks the left button there.
void clickAt(const XvfbSession& x, QPoint at);

}  // namespace ovant::e2e
