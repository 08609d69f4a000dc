#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

// The real programs in a private X session, and where the console's parts
// land on the screen.
namespace ovant::e2e {

inline const QString kConsoleTitle = QStringLiteral("^OVANT-Feldtaster$");
inline const QString kInfoTitle = QStringLiteral("^OVANT-Feldtaster \\[Infos und Hilfe\\]$");
inline const QString kSaverSettingsTitle =
    QStringLiteral("^OVANT-Feldtaster - Bildschirmschoner$");
// "2.wav" lasts 1.2 s; a leaving console ends when it has played.
constexpr int kLeavingSoundMs = 1200;

// A private X server for one test: started with -displayfd so that it picks a
// free display itself, and with -wr so that any area a program leaves
// uncovered shows up white in a screenshot. With a valid `secondScreen` the
// server has two X screens, which Qt reports as two screens.
class XvfbSession {
public:
    explicit XvfbSession(QSize screen, QSize secondScreen = QSize());
    ~XvfbSession() { stopServer(); }
    XvfbSession(const XvfbSession&) = delete;
    XvfbSession& operator=(const XvfbSession&) = delete;

    bool ready() const { return !display_.isEmpty(); }
    // Settings, runtime folder and display of a program started in this session.
    QProcessEnvironment environment() const;
    QString settingsFile() const;

    // Runs a helper tool (xdotool, import) on this display; returns its output.
    QByteArray tool(const QString& program, const QStringList& arguments, int timeoutMs = 15000,
                    int* exitCode = nullptr) const;
    // The first visible window whose title matches; empty while there is none.
    QString window(const QString& titlePattern) const;
    bool shows(const QString& titlePattern) const { return !window(titlePattern).isEmpty(); }
    bool waitForWindow(const QString& titlePattern, int timeoutMs = 20000) const;
    bool waitUntilGone(const QString& titlePattern, int timeoutMs = 20000) const;
    // The root window of X screen `screenNumber` (0 is the primary).
    QImage screenshot(int screenNumber = 0) const;
    void key(const QString& window, const QString& keys) const;
    void pointerTo(QPoint at) const;
    void clickAt(QPoint at) const;
    // Ends the X server at once, as a crash or a logout would.
    void stopServer();

private:
    QTemporaryDir home_;
    QProcess server_;
    QString display_;
};

// A started program that is killed, if it still runs, when it goes out of scope.
// Its errors show in the test's output unless the test asks for other channels.
class Program : public QProcess {
public:
    Program() { setProcessChannelMode(QProcess::ForwardedErrorChannel); }
    ~Program() override {
        kill();
        waitForFinished(3000);
    }
    // Starts OVANT-Scan or OVANT-Schirm from the build, or a program by its
    // absolute path, with `env`.
    bool start(const QString& name, const QStringList& arguments, const QProcessEnvironment& env);
    // Ends, normally and with exit code 0, within `ms`.
    bool endsCleanlyWithin(int ms);
};

bool startScan(Program& process, const XvfbSession& x, const QStringList& arguments = {});
// The console (or with `arguments` the screen saver) is shown and its splash
// has gone: until then a key can reach a window about to close and be lost.
bool startConsole(Program& console, const XvfbSession& x, const QStringList& arguments = {});
bool waitForConsole(const XvfbSession& x);

// Twips to pixels, as the console converts them when it is drawn `scale`
// times its designed size ("Options"/"Scale").
int px(double twips, double scale = 1.0);
// A distance in the console's designed pixels, drawn `scale` times as large.
int scaled(double designedPixels, double scale);
// Where the console picture's top-left corner lands: centred on the screen
// (measured in the console's twips), shifted by 110 twips right and 10 down.
QPoint picMainAt(QSize screen, double scale = 1.0);
// A point inside the upper separator 1, lilac in the normal scheme.
inline QPoint separatorAt(QSize screen) {
    return picMainAt(screen) + QPoint(px(2100) + 80, px(2295) + 8);
}

// A stored value ("Options/AutoScan"), set before a start as a user's earlier
// run would, or read back after a program wrote it.
void store(const XvfbSession& x, const QString& key, const QString& value);
QString stored(const XvfbSession& x, const QString& key);
QByteArray storeBytes(const XvfbSession& x);
// xdotool's "Position: x,y ... Geometry: wxh" of the window whose title matches.
QByteArray windowGeometry(const XvfbSession& x, const QString& titlePattern);

// The colour at a pixel, for messages that say what was found.
QString describe(const QImage& image, QPoint at);
// Screenshots until one (left in `shot`) shows `colour` at `at`.
bool waitForColour(const XvfbSession& x, QImage& shot, QPoint at, const QColor& colour, int ms);

// Pixel checks for a test function: the exact colour at a pixel; and the
// frame, a sector marker and the screen-wide bars where the console, drawn
// `scale` times its designed size, puts them on `screen` (`shot` is that
// screen's or window's area).
void expectColour(const QImage& shot, QPoint at, const QColor& colour);
void expectLayout(const QImage& shot, QSize screen, double scale);

// Child processes of `parent`, from /proc; and whether a process still runs
// (a zombie nobody has reaped yet does not).
QList<qint64> childrenOf(qint64 parent);
bool alive(qint64 pid);

}  // namespace ovant::e2e
