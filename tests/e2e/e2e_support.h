#pragma once

// The real programs in a private X session, and where the console's parts
// land on the screen.
#include <QColor>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <cmath>

#include "platform/screen_rules.h"

namespace ovant::e2e {

inline const QString kConsoleTitle = QStringLiteral("^OVANT-Feldtaster$");
inline const QString kInfoTitle = QStringLiteral("^OVANT-Feldtaster \\[Infos und Hilfe\\]$");
inline const QString kSaverSettingsTitle = QStringLiteral("^OVANT-Feldtaster - Bildschirmschoner$");
// "2.wav" lasts 1.2 s; a leaving console ends when it has played.
constexpr int kLeavingSoundMs = 1200;

// A private X server for one test: started with -displayfd so that it picks a
// free display itself, and with -wr so that any area a program leaves
// uncovered shows up white in a screenshot. With a valid `second` size the
// server has two X screens, which Qt reports as two screens.
class XvfbSession {
public:
    explicit XvfbSession(QSize screen, QSize second = QSize()) {
        const QString displayFile = home_.filePath("display");
        QString screens =
            QStringLiteral("-screen 0 %1x%2x24 ").arg(screen.width()).arg(screen.height());
        if (second.isValid()) {
            screens +=
                QStringLiteral("-screen 1 %1x%2x24 ").arg(second.width()).arg(second.height());
        }
        server_.start("/bin/sh", {"-c", QStringLiteral("exec Xvfb -displayfd 3 %1-dpi 96 "
                                                       "-nolisten tcp -wr 3>'%2'")
                                            .arg(screens, displayFile)});
        QElapsedTimer clock;
        clock.start();
        while (display_.isEmpty() && clock.elapsed() < 10000 &&
               server_.state() != QProcess::NotRunning) {
            QFile file(displayFile);
            if (file.open(QIODevice::ReadOnly) && file.size() > 0) {
                display_ = QLatin1Char(':') + QString::fromLatin1(file.readAll().trimmed());
            }
            QThread::msleep(20);
        }
        QDir(home_.path()).mkpath("config");
        QDir(home_.path()).mkpath("run");
        QFile::setPermissions(home_.filePath("run"), QFileDevice::ReadOwner |
                                                         QFileDevice::WriteOwner |
                                                         QFileDevice::ExeOwner);
    }
    ~XvfbSession() { stopServer(); }
    XvfbSession(const XvfbSession&) = delete;
    XvfbSession& operator=(const XvfbSession&) = delete;

    bool ready() const { return !display_.isEmpty(); }
    // Settings, runtime folder and display of a program started in this session.
    QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display_);
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("QT_ENABLE_HIGHDPI_SCALING", "0");
        env.insert("XDG_CONFIG_HOME", home_.filePath("config"));
        env.insert("XDG_RUNTIME_DIR", home_.filePath("run"));
        env.insert("SDL_AUDIODRIVER", "dummy");
        return env;
    }
    QString settingsFile() const { return home_.filePath("config/OVANT/OVANT-Scan.ini"); }

    // Runs a helper tool (xdotool, xprop) on this display; returns its output.
    QByteArray tool(const QString& program, const QStringList& arguments, int timeoutMs = 15000,
                    int* exitCode = nullptr) const {
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
    // The first visible window whose title matches; empty while there is none.
    QString window(const QString& title) const {
        return QString::fromLatin1(
            tool("xdotool", {"search", "--onlyvisible", "--name", title}, 5000)
                .split('\n')
                .first());
    }
    bool shows(const QString& title) const { return !window(title).isEmpty(); }
    bool waitForWindow(const QString& title, int timeoutMs = 20000) const {
        int code = -1;
        tool("xdotool", {"search", "--sync", "--onlyvisible", "--name", title}, timeoutMs, &code);
        return code == 0;
    }
    bool waitUntilGone(const QString& title, int timeoutMs = 20000) const {
        return QTest::qWaitFor([&] { return !shows(title); }, timeoutMs);
    }
    // xdotool's "Position: x,y ... Geometry: wxh" of the window.
    QByteArray geometry(const QString& title) const {
        return tool("xdotool", {"getwindowgeometry", window(title)});
    }
    // The root window of X screen `screenNumber` (0 is the primary).
    QImage screenshot(int screenNumber = 0) const {
        const QString file = home_.filePath("shot.png");
        QFile::remove(file);
        tool("import", {"-display", display_ + QLatin1Char('.') + QString::number(screenNumber),
                        "-window", "root", file});
        return QImage(file);
    }
    void key(const QString& title, const QString& keys) const {
        const QString id = window(title);
        tool("xdotool", {"windowfocus", id});
        tool("xdotool", {"key", "--window", id, keys});
    }
    void pointerTo(QPoint at) const {
        tool("xdotool", {"mousemove", QString::number(at.x()), QString::number(at.y())});
    }
    void clickAt(QPoint at) const {
        tool("xdotool",
             {"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"});
    }
    // Ends the X server at once, as a crash or a logout would.
    void stopServer() {
        server_.kill();
        server_.waitForFinished(3000);
    }

private:
    QTemporaryDir home_;
    QProcess server_;
    QString display_;
};

// A started program, killed if it still runs when it goes out of scope. Its
// errors show in the test's output unless the test sets other channels.
class Program : public QProcess {
public:
    Program() { setProcessChannelMode(QProcess::ForwardedErrorChannel); }
    ~Program() override {
        kill();
        waitForFinished(3000);
    }
    // OVANT-Scan or OVANT-Schirm from the build, or a program by its path.
    bool start(const QString& name, const QStringList& arguments, const QProcessEnvironment& env) {
        setProcessEnvironment(env);
        QProcess::start(name.startsWith(QLatin1Char('/'))
                            ? name
                            : qEnvironmentVariable("OVANT_BIN_DIR") + QLatin1Char('/') + name,
                        arguments);
        return waitForStarted();
    }
    // Ends, normally and with exit code 0, within `ms`.
    bool endsCleanlyWithin(int ms) {
        return waitForFinished(ms) && exitStatus() == QProcess::NormalExit && exitCode() == 0;
    }
};

inline bool startScan(Program& process, const XvfbSession& x, const QStringList& arguments = {}) {
    return process.start("OVANT-Scan", arguments, x.environment());
}
// The console is shown and its splash has gone: until then a key can reach a
// window about to close and be lost.
inline bool waitForConsole(const XvfbSession& x) {
    return x.waitForWindow(kConsoleTitle) && x.waitUntilGone("^OVANT-Scan$");
}
inline bool startConsole(Program& console, const XvfbSession& x,
                         const QStringList& arguments = {}) {
    return x.ready() && startScan(console, x, arguments) && waitForConsole(x);
}

// Twips to pixels, as the console converts them when it is drawn `scale`
// times its designed size ("Options"/"Scale").
inline int px(double twips, double scale = 1.0) {
    return static_cast<int>(std::lround(twips * scale / 15.0));
}
// A distance in the console's designed pixels, drawn `scale` times as large.
inline int scaled(double designedPixels, double scale) {
    return static_cast<int>(std::lround(designedPixels * scale));
}
// Where the console picture's top-left corner lands: centred on the screen
// (measured in the console's twips), shifted by 110 twips right and 10 down.
inline QPoint picMainAt(QSize screen, double scale = 1.0) {
    const double width = screen.width() * 15 / scale;
    const double height = screen.height() * 15 / scale;
    return {px(width / 2.0 - 11745 / 2.0 + 110, scale), px(height / 2.0 - 8355 / 2.0 + 10, scale)};
}
// A point inside the upper separator 1, lilac in the normal scheme.
inline QPoint separatorAt(QSize screen) {
    return picMainAt(screen) + QPoint(px(2100) + 80, px(2295) + 8);
}

// A stored value ("Options/AutoScan"), set before a start as a user's earlier
// run would, or read back after a program wrote it.
inline void store(const XvfbSession& x, const QString& key, const QString& value) {
    QSettings(x.settingsFile(), QSettings::IniFormat).setValue(key, value);
}
inline QString stored(const XvfbSession& x, const QString& key) {
    return QSettings(x.settingsFile(), QSettings::IniFormat).value(key).toString();
}
inline QByteArray storeBytes(const XvfbSession& x) {
    QFile file(x.settingsFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The colour at a pixel, for messages that say what was found.
inline QString describe(const QImage& image, QPoint at) {
    return QStringLiteral("(%1,%2) is %3").arg(at.x()).arg(at.y()).arg(image.pixelColor(at).name());
}
// Screenshots until one (left in `shot`) shows `colour` at `at`.
inline bool waitForColour(const XvfbSession& x, QImage& shot, QPoint at, const QColor& colour,
                          int ms) {
    return QTest::qWaitFor([&] { return (shot = x.screenshot()).pixelColor(at) == colour; }, ms);
}
inline void expectColour(const QImage& shot, QPoint at, const QColor& colour) {
    QVERIFY2(shot.pixelColor(at) == colour,
             qPrintable(describe(shot, at) + QStringLiteral(", expected ") + colour.name()));
}

// The frame, a sector marker and the screen-wide bars where the console,
// drawn `scale` times its designed size, puts them on `screen` (`shot` is
// that screen's or window's area).
inline void expectLayout(const QImage& shot, QSize screen, double scale) {
    const auto d = [scale](double designedPixels) { return scaled(designedPixels, scale); };
    const auto t = [scale](double twips) { return px(twips, scale); };
    const QPoint main = picMainAt(screen, scale);
    // Upper separator 1 (lilac) and lower separator 2 (sand) of the frame.
    expectColour(shot, main + QPoint(t(2100) + d(80), t(2295) + d(8)), QColor(159, 152, 255));
    expectColour(shot, main + QPoint(t(4680) + d(13), t(2640) + d(8)), QColor(240, 183, 111));
    // The marker of object 1 in the sector, orange in the normal scheme.
    expectColour(shot, main + QPoint(t(2130) + t(3390) + d(10), t(3090) + t(1200) + d(10)),
                 QColor(255, 152, 0));
    if (ovant::screenTakesWideBars(screen)) {
        // The screen-wide bar and its left cap are grey; between bar and
        // frame, and right of the console, black.
        expectColour(shot, QPoint(d(500), t(60) + d(18)), QColor(80, 80, 80));
        expectColour(shot, QPoint(d(20), t(60) + d(18)), QColor(80, 80, 80));
        expectColour(shot, QPoint(d(500), (t(60 + 540) + main.y()) / 2), Qt::black);
        expectColour(shot, QPoint(screen.width() - d(9), d(380)), Qt::black);
    }
}

// The first child process of `parent`, 0 while it has none; whether a process
// still runs (a zombie nobody has reaped yet does not).
inline qint64 childOf(qint64 parent) {
    QFile children(QStringLiteral("/proc/%1/task/%1/children").arg(parent));
    return children.open(QIODevice::ReadOnly)
               ? children.readAll().trimmed().split(' ').first().toLongLong()
               : 0;
}
inline bool alive(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    const QByteArray text = stat.open(QIODevice::ReadOnly) ? stat.readAll() : QByteArray();
    return !text.isEmpty() && text.mid(text.lastIndexOf(')') + 2, 1) != "Z";
}

}  // namespace ovant::e2e
