#include "scan_process.h"

#include "platform/screen_rules.h"

#include <QColor>
#include <QSettings>
#include <QTest>
#include <cmath>

namespace ovant::e2e {

QString scanProgram() {
    return qEnvironmentVariable("OVANT_BIN_DIR") + QStringLiteral("/OVANT-Scan");
}

bool startScan(QProcess& process, const XvfbSession& x, const QStringList& arguments) {
    process.setProcessEnvironment(x.environment());
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(scanProgram(), arguments);
    return process.waitForStarted();
}

bool startConsole(QProcess& console, const XvfbSession& x) {
    if (!x.ready()) {
        return false;
    }
    return startScan(console, x) && waitForConsole(x);
}

bool waitForConsole(const XvfbSession& x) {
    return x.waitForWindow(kConsoleTitle) && x.waitUntilGone(QStringLiteral("^OVANT-Scan$"));
}

int px(double twips, double scale) {
    return static_cast<int>(std::lround(twips * scale / 15.0));
}

int scaled(double designedPixels, double scale) {
    return static_cast<int>(std::lround(designedPixels * scale));
}

QPoint picMainAt(QSize screen, double scale) {
    // The console sees the screen as this many twips.
    const double width = screen.width() * 15 / scale;
    const double height = screen.height() * 15 / scale;
    return {px(width / 2.0 - 11745 / 2.0 + 110, scale), px(height / 2.0 - 8355 / 2.0 + 10, scale)};
}

void storeOption(const XvfbSession& x, const QString& key, const QString& value) {
    QSettings stored(x.settingsFile(), QSettings::IniFormat);
    stored.setValue(QStringLiteral("Options/") + key, value);
    stored.sync();
}

QString storedOption(const XvfbSession& x, const QString& key) {
    const QSettings stored(x.settingsFile(), QSettings::IniFormat);
    return stored.value(QStringLiteral("Options/") + key).toString();
}

void clickAt(const XvfbSession& x, QPoint at) {
    x.tool(QStringLiteral("xdotool"),
           {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
            QStringLiteral("click"), QStringLiteral("1")});
}

void expectColour(const QImage& shot, QPoint at, const QColor& colour) {
    QVERIFY2(
        shot.pixelColor(at) == colour,
        qPrintable(describe(shot, at.x(), at.y()) + QStringLiteral(", expected ") + colour.name()));
}

// The frame, a sector marker and the screen-wide bars where the console,
// drawn `scale` times its designed size, puts them on `screen`.
void expectLayout(const QImage& shot, QSize screen, double scale) {
    const auto d = [scale](double designedPixels) { return scaled(designedPixels, scale); };
    const auto t = [scale](double twips) { return px(twips, scale); };
    const QPoint main = picMainAt(screen, scale);
    // Upper separator 1 (lilac) and lower separator 2 (sand) of the frame.
    expectColour(shot, main + QPoint(t(2100) + d(80), t(2295) + d(8)), QColor(159, 152, 255));
    expectColour(shot, main + QPoint(t(4680) + d(13), t(2640) + d(8)), QColor(240, 183, 111));
    // The marker of object 1 in the sector, orange in the normal scheme.
    expectColour(shot, main + QPoint(t(2130) + t(3390) + d(10), t(3090) + t(1200) + d(10)),
                 QColor(255, 152, 0));
    if (!ovant::screenTakesWideBars(screen)) {
        return;
    }
    // The screen-wide bar and its left cap are grey; between bar and frame,
    // and right of the console, black.
    expectColour(shot, QPoint(d(500), t(60) + d(18)), QColor(80, 80, 80));
    expectColour(shot, QPoint(d(20), t(60) + d(18)), QColor(80, 80, 80));
    expectColour(shot, QPoint(d(500), (t(60 + 540) + main.y()) / 2), QColor(0, 0, 0));
    expectColour(shot, QPoint(screen.width() - d(9), d(380)), QColor(0, 0, 0));
}

}  // namespace ovant::e2e
