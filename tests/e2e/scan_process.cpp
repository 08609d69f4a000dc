#include "scan_process.h"

#include <QSettings>
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

int px(double twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

QPoint picMainAt(QSize screen) {
    return {px(screen.width() * 15 / 2.0 - 11745 / 2.0 + 110),
            px(screen.height() * 15 / 2.0 - 8355 / 2.0 + 10)};
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

}  // namespace ovant::e2e
