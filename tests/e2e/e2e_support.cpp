#include "e2e_support.h"

#include "platform/screen_rules.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QThread>
#include <cmath>

namespace ovant::e2e {

XvfbSession::XvfbSession(QSize screen, QSize secondScreen) {
    const QString displayFile = home_.filePath("display");
    QString screens;
    for (const QSize size : {screen, secondScreen}) {
        if (size.isValid()) {
            screens += QStringLiteral("-screen %1 %2x%3x24 ")
                           .arg(screens.isEmpty() ? 0 : 1)
                           .arg(size.width())
                           .arg(size.height());
        }
    }
    server_.start("/bin/sh", {"-c", QStringLiteral("exec Xvfb -displayfd 3 %1-dpi 96 -nolisten "
                                                   "tcp -wr 3>'%2'")
                                        .arg(screens, displayFile)});
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 10000 && server_.state() != QProcess::NotRunning) {
        QFile file(displayFile);
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray number = file.readAll().trimmed();
            if (!number.isEmpty()) {
                display_ = QLatin1Char(':') + QString::fromLatin1(number);
                break;
            }
        }
        QThread::msleep(20);
    }
    QDir(home_.path()).mkpath("config");
    QDir(home_.path()).mkpath("run");
    QFile::setPermissions(home_.filePath("run"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void XvfbSession::stopServer() {
    server_.kill();
    server_.waitForFinished(3000);
}

QProcessEnvironment XvfbSession::environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display_);
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("QT_ENABLE_HIGHDPI_SCALING", "0");
    env.insert("XDG_CONFIG_HOME", home_.filePath("config"));
    env.insert("XDG_RUNTIME_DIR", home_.filePath("run"));
    env.insert("SDL_AUDIODRIVER", "dummy");
    return env;
}

QString XvfbSession::settingsFile() const {
    return home_.filePath("config/OVANT/OVANT-Scan.ini");
}

QByteArray XvfbSession::tool(const QString& program, const QStringList& arguments, int timeoutMs,
                             int* exitCode) const {
    QProcess process;
    process.setProcessEnvironment(environment());
    process.start(program, arguments);
    const bool finished = process.waitForFinished(timeoutMs);
    if (!finished) {
        process.kill();
        process.waitForFinished(1000);
    }
    if (exitCode != nullptr) {
        *exitCode = finished ? process.exitCode() : -1;
    }
    return finished ? process.readAllStandardOutput() : QByteArray();
}

QString XvfbSession::window(const QString& titlePattern) const {
    return QString::fromLatin1(
        tool("xdotool", {"search", "--onlyvisible", "--name", titlePattern}, 5000)
            .split('\n')
            .first());
}

bool XvfbSession::waitForWindow(const QString& titlePattern, int timeoutMs) const {
    int code = -1;
    tool("xdotool", {"search", "--sync", "--onlyvisible", "--name", titlePattern}, timeoutMs,
         &code);
    return code == 0;
}

bool XvfbSession::waitUntilGone(const QString& titlePattern, int timeoutMs) const {
    return QTest::qWaitFor([&] { return !shows(titlePattern); }, timeoutMs);
}

QImage XvfbSession::screenshot(int screenNumber) const {
    const QString file = home_.filePath("shot.png");
    QFile::remove(file);
    tool("import",
         {"-display", display_ + QLatin1Char('.') + QString::number(screenNumber), "-window",
          "root", file});
    QImage image(file);
    if (qEnvironmentVariableIsSet("OVANT_E2E_SHOTS")) {
        image.save(qEnvironmentVariable("OVANT_E2E_SHOTS") + QLatin1Char('/') +
                   QString::number(image.width()) + QStringLiteral(".png"));
    }
    return image;
}

void XvfbSession::key(const QString& window, const QString& keys) const {
    const QString id = this->window(window);
    tool("xdotool", {"windowfocus", id});
    tool("xdotool", {"key", "--window", id, keys});
}

void XvfbSession::pointerTo(QPoint at) const {
    tool("xdotool", {"mousemove", QString::number(at.x()), QString::number(at.y())});
}

void XvfbSession::clickAt(QPoint at) const {
    tool("xdotool",
         {"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"});
}

bool Program::start(const QString& name, const QStringList& arguments,
                    const QProcessEnvironment& env) {
    setProcessEnvironment(env);
    QProcess::start(name.startsWith(QLatin1Char('/'))
                        ? name
                        : qEnvironmentVariable("OVANT_BIN_DIR") + QLatin1Char('/') + name,
                    arguments);
    return waitForStarted();
}

bool Program::endsCleanlyWithin(int ms) {
    return waitForFinished(ms) && exitStatus() == QProcess::NormalExit && exitCode() == 0;
}

bool startScan(Program& process, const XvfbSession& x, const QStringList& arguments) {
    return process.start("OVANT-Scan", arguments, x.environment());
}

bool startConsole(Program& console, const XvfbSession& x, const QStringList& arguments) {
    return x.ready() && startScan(console, x, arguments) && waitForConsole(x);
}

bool waitForConsole(const XvfbSession& x) {
    return x.waitForWindow(kConsoleTitle) && x.waitUntilGone("^OVANT-Scan$");
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

void store(const XvfbSession& x, const QString& key, const QString& value) {
    QSettings(x.settingsFile(), QSettings::IniFormat).setValue(key, value);
}

QString stored(const XvfbSession& x, const QString& key) {
    return QSettings(x.settingsFile(), QSettings::IniFormat).value(key).toString();
}

QByteArray storeBytes(const XvfbSession& x) {
    QFile file(x.settingsFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray windowGeometry(const XvfbSession& x, const QString& titlePattern) {
    return x.tool("xdotool", {"getwindowgeometry", x.window(titlePattern)});
}

QString describe(const QImage& image, QPoint at) {
    const QColor c = image.pixelColor(at);
    return QStringLiteral("(%1,%2) is %3,%4,%5")
        .arg(at.x())
        .arg(at.y())
        .arg(c.red())
        .arg(c.green())
        .arg(c.blue());
}

bool waitForColour(const XvfbSession& x, QImage& shot, QPoint at, const QColor& colour, int ms) {
    return QTest::qWaitFor([&] { return (shot = x.screenshot()).pixelColor(at) == colour; }, ms);
}

void expectColour(const QImage& shot, QPoint at, const QColor& colour) {
    QVERIFY2(shot.pixelColor(at) == colour,
             qPrintable(describe(shot, at) + QStringLiteral(", expected ") + colour.name()));
}

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

QList<qint64> childrenOf(qint64 parent) {
    QList<qint64> children;
    for (const QString& entry : QDir("/proc").entryList(QDir::Dirs)) {
        bool number = false;
        const qint64 pid = entry.toLongLong(&number);
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!number || !stat.open(QIODevice::ReadOnly)) {
            continue;
        }
        // "pid (name) state ppid ...": the name may hold blanks, so count from ")".
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields.at(1).toLongLong() == parent) {
            children.append(pid);
        }
    }
    return children;
}

bool alive(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray text = stat.readAll();
    return text.mid(text.lastIndexOf(')') + 2, 1) != "Z";
}

}  // namespace ovant::e2e
