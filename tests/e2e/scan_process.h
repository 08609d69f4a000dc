#pragma once

#include <QColor>
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

// Twips to pixels, as the console converts them when it is drawn `scale`
// times its designed size ("Options"/"Scale").
int px(double twips, double scale = 1.0);
// A distance in the console's designed pixels, drawn `scale` times as large.
int scaled(double designedPixels, double scale);
// Where the console picture's top-left corner lands: centred on the screen
// (measured in the console's twips), shifted by 110 twips right and 10 down.
QPoint picMainAt(QSize screen, double scale = 1.0);

// A stored value in section "Options", set before a start as a user's earlier
// run would, or read back after the console wrote it.
void storeOption(const XvfbSession& x, const QString& key, const QString& value);
QString storedOption(const XvfbSession& x, const QString& key);

// Pixel checks for a test function: the exact colour at a pixel; and the
// frame, a sector marker and the screen-wide bars where the console, drawn
// `scale` times its designed size, puts them on `screen` (`shot` is that
// screen's or window's area).
void expectColour(const QImage& shot, QPoint at, const QColor& colour);
void expectLayout(const QImage& shot, QSize screen, double scale);

// Moves the pointer to a screen pixel and clicks the left button there.
void clickAt(const XvfbSession& x, QPoint at);

}  // namespace ovant::e2e
