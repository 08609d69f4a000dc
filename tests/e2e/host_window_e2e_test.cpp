// OVANT-Schirm started the way screen-saver daemons of the X desktops start
// it: inside a window of another program, here one the test makes itself.
#include <xcb/xcb.h>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QtTest>

#include "scan_process.h"
#include "xvfb_session.h"

using namespace ovant::e2e;

namespace {

// A plain window of "another program" on the session's display, with a
// background colour the console never shows.
class ForeignWindow {
public:
    static constexpr quint32 kBackground = 0x204060;

    ForeignWindow(const QProcessEnvironment& env, QRect geometry) {
        connection_ = xcb_connect(qPrintable(env.value(QStringLiteral("DISPLAY"))), nullptr);
        if (xcb_connection_has_error(connection_) != 0) {
            return;
        }
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        window_ = xcb_generate_id(connection_);
        const quint32 values[] = {kBackground};
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window_, screen->root,
                          static_cast<qint16>(geometry.x()), static_cast<qint16>(geometry.y()),
                          static_cast<quint16>(geometry.width()),
                          static_cast<quint16>(geometry.height()), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                          screen->root_visual, XCB_CW_BACK_PIXEL, values);
        xcb_map_window(connection_, window_);
        xcb_flush(connection_);
    }
    ~ForeignWindow() { xcb_disconnect(connection_); }
    ForeignWindow(const ForeignWindow&) = delete;
    ForeignWindow& operator=(const ForeignWindow&) = delete;

    quint32 id() const { return window_; }

private:
    xcb_connection_t* connection_ = nullptr;
    xcb_window_t window_ = 0;
};

const QColor kForeign(0x20, 0x40, 0x60);

QString schirmProgram() {
    return qEnvironmentVariable("OVANT_BIN_DIR") + QStringLiteral("/OVANT-Schirm");
}

void prepare(const XvfbSession& x) {
    // The console's folder as its own start would have stored it; no sound.
    storeOption(x, QStringLiteral("Path"), qEnvironmentVariable("OVANT_BIN_DIR"));
    QSettings stored(x.settingsFile(), QSettings::IniFormat);
    stored.setValue(QStringLiteral("ScrSav/Sound"), QStringLiteral("0"));
    stored.sync();
}

// The console OVANT-Schirm started, by its process id; 0 while there is none.
qint64 childOf(qint64 parent) {
    QFile children(QStringLiteral("/proc/%1/task/%1/children").arg(parent));
    if (!children.open(QIODevice::ReadOnly)) {
        return 0;
    }
    return children.readAll().trimmed().split(' ').first().toLongLong();
}

// Gone, or only a zombie that nobody has reaped yet.
bool processGone(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) {
        return true;
    }
    const QByteArray text = stat.readAll();
    const int afterName = text.lastIndexOf(')');
    return afterName > 0 && text.mid(afterName + 2, 1) == "Z";
}

// SIGTERM to the module ends it and its console at once.
void terminateBoth(QProcess& schirm, qint64 console) {
    QElapsedTimer clock;
    clock.start();
    schirm.terminate();
    QVERIFY(schirm.waitForFinished(2000));
    QVERIFY2(QTest::qWaitFor([&] { return processGone(console); }, 2000),
             qPrintable(QStringLiteral("the console %1 outlived the module").arg(console)));
    QVERIFY2(clock.elapsed() < 1500, qPrintable(QString::number(clock.elapsed())));
}

void stop(QProcess& schirm, qint64 console) {
    if (console > 0 && !processGone(console)) {
        QProcess::execute(QStringLiteral("kill"), {QString::number(console)});
    }
    if (schirm.state() != QProcess::NotRunning) {
        schirm.kill();
        schirm.waitForFinished(3000);
    }
}

}  // namespace

class HostWindowE2eTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void drawsTheConsoleInsideTheWindowIgnoresInputAndEndsOnSigterm() {
        XvfbSession x(QSize(1280, 1024));
        QVERIFY(x.ready());
        prepare(x);
        const QRect area(120, 90, 1024, 768);
        ForeignWindow host(x.environment(), area);
        QVERIFY(host.id() != 0);

        QProcess schirm;
        schirm.setProcessEnvironment(x.environment());
        schirm.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        schirm.start(schirmProgram(), {QStringLiteral("-window-id"),
                                       QStringLiteral("0x") + QString::number(host.id(), 16)});
        QVERIFY(schirm.waitForStarted());
        qint64 console = 0;
        QVERIFY(QTest::qWaitFor([&] { return (console = childOf(schirm.processId())) > 0; }, 5000));

        // The console draws itself into the window, laid out for its size.
        const QPoint lilac = picMainAt(area.size()) + QPoint(px(2100) + 80, px(2295) + 8);
        QImage inside;
        const bool drawn = QTest::qWaitFor(
            [&] {
                inside = x.screenshot().copy(area);
                return inside.pixelColor(lilac) == QColor(159, 152, 255);
            },
            20000);
        if (!drawn) {
            stop(schirm, console);
        }
        QVERIFY2(drawn, qPrintable(describe(inside, lilac.x(), lilac.y())));
        QTest::qWait(500);
        const QImage shot = x.screenshot();
        expectLayout(shot.copy(area), area.size(), 1.0);
        // Around the window the screen stays as it was (-wr: white).
        QCOMPARE(shot.pixelColor(area.left() - 10, area.top() - 10), QColor(Qt::white));
        QCOMPARE(shot.pixelColor(area.right() + 10, area.bottom() + 10), QColor(Qt::white));
        // The daemon owns the input: pointer jumps, a click and a key over
        // the window do not end the console. The jumps stay on the console
        // window itself, left of its picture, where as screen saver over the
        // screen the second one would end it.
        const QPoint edge = area.topLeft() + QPoint(5, 200);
        for (const QPoint at : {edge, edge + QPoint(0, 300), edge + QPoint(0, 100)}) {
            x.tool(QStringLiteral("xdotool"),
                   {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y())});
            QTest::qWait(100);
        }
        x.tool(QStringLiteral("xdotool"), {QStringLiteral("click"), QStringLiteral("1")});
        x.tool(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("space")});
        QVERIFY(!schirm.waitForFinished(1500));
        QVERIFY(!processGone(console));

        terminateBoth(schirm, console);
        stop(schirm, console);
    }

    void aSmallPreviewShowsTheConsoleScaledDownAndKeepsRunning() {
        XvfbSession x(QSize(1024, 768));
        QVERIFY(x.ready());
        prepare(x);
        const QRect area(40, 30, 150, 110);
        ForeignWindow host(x.environment(), area);
        QVERIFY(host.id() != 0);

        // The daemon's way: "-root" and its window in the environment.
        QProcessEnvironment env = x.environment();
        env.insert(QStringLiteral("XSCREENSAVER_WINDOW"), QString::number(host.id()));
        QProcess schirm;
        schirm.setProcessEnvironment(env);
        schirm.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer clock;
        clock.start();
        schirm.start(schirmProgram(), {QStringLiteral("-root")});
        QVERIFY(schirm.waitForStarted());
        qint64 console = 0;
        QVERIFY(QTest::qWaitFor([&] { return (console = childOf(schirm.processId())) > 0; }, 5000));

        // Scaled down to 0.17: the upper separator's lilac somewhere in the
        // window, and the console picture's corners inside it.
        const auto lilacInside = [&](const QImage& window) {
            for (int y = 0; y < window.height(); ++y) {
                for (int column = 0; column < window.width(); ++column) {
                    if (window.pixelColor(column, y) == QColor(159, 152, 255)) {
                        return true;
                    }
                }
            }
            return false;
        };
        QImage inside;
        const bool drawn =
            QTest::qWaitFor([&] { return lilacInside(inside = x.screenshot().copy(area)); }, 20000);
        if (!drawn) {
            stop(schirm, console);
        }
        QVERIFY(drawn);
        if (qEnvironmentVariableIsSet("OVANT_E2E_SHOTS")) {
            inside.save(qEnvironmentVariable("OVANT_E2E_SHOTS") + QStringLiteral("/preview.png"));
        }
        // The window's own colour shows nowhere: the console fills it.
        QVERIFY2(inside.pixelColor(2, 2) != kForeign, qPrintable(describe(inside, 2, 2)));
        QVERIFY2(inside.pixelColor(147, 107) != kForeign, qPrintable(describe(inside, 147, 107)));
        // Nothing of it outside the window.
        const QImage shot = x.screenshot();
        QCOMPARE(shot.pixelColor(area.right() + 20, area.top() + 50), QColor(Qt::white));

        // A daemon takes a preview that ends within two seconds for broken.
        const qint64 left = 3000 - clock.elapsed();
        QVERIFY(left <= 0 || !schirm.waitForFinished(static_cast<int>(left)));
        QCOMPARE(schirm.state(), QProcess::Running);
        QVERIFY(!processGone(console));

        terminateBoth(schirm, console);
        stop(schirm, console);
    }
};

QTEST_GUILESS_MAIN(HostWindowE2eTest)
#include "host_window_e2e_test.moc"
