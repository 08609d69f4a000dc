// OVANT-Schirm started the way screen-saver daemons of the X desktops start
// it: inside a window of another program, here one the test makes itself.
#include <xcb/xcb.h>
#include <QElapsedTimer>
#include <QtTest>

#include "e2e_support.h"

using namespace ovant::e2e;

namespace {

const QColor kForeign(0x20, 0x40, 0x60);
const QColor kLilac(159, 152, 255);

// A plain window of "another program" on the session's display, with a
// background colour the console never shows.
class ForeignWindow {
public:
    ForeignWindow(const XvfbSession& x, QRect geometry) {
        connection_ = xcb_connect(qPrintable(x.environment().value("DISPLAY")), nullptr);
        if (xcb_connection_has_error(connection_) != 0) {
            return;
        }
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        window_ = xcb_generate_id(connection_);
        const quint32 values[] = {kForeign.rgb() & 0xffffffU};
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

// The module with its console inside a foreign window; the console is killed
// when the test ends, whatever became of the module.
struct HostedSaver {
    XvfbSession x;
    QRect area;
    ForeignWindow host{x, area};
    Program schirm;
    qint64 console = 0;

    HostedSaver(QSize screen, QRect window) : x(screen), area(window) {
        // The console's folder as its own start would have stored it; no sound.
        store(x, "Options/Path", qEnvironmentVariable("OVANT_BIN_DIR"));
        store(x, "ScrSav/Sound", "0");
    }
    ~HostedSaver() {
        if (console > 0 && alive(console)) {
            QProcess::execute("kill", {QString::number(console)});
        }
    }
    bool start(const QStringList& arguments, const QProcessEnvironment& env) {
        return x.ready() && host.id() != 0 && schirm.start("OVANT-Schirm", arguments, env) &&
               QTest::qWaitFor([&] { return (console = childOf(schirm.processId())) > 0; }, 5000);
    }
    // SIGTERM to the module ends it and its console at once.
    void terminateBoth() {
        QElapsedTimer clock;
        clock.start();
        schirm.terminate();
        QVERIFY(schirm.waitForFinished(2000));
        QVERIFY2(QTest::qWaitFor([&] { return !alive(console); }, 2000),
                 qPrintable(QStringLiteral("the console %1 outlived the module").arg(console)));
        QVERIFY2(clock.elapsed() < 1500, qPrintable(QString::number(clock.elapsed())));
    }
};

}  // namespace

class HostWindowE2eTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theConsoleFillsTheWindowIgnoresInputAndEndsOnSigterm_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QRect>("area");
        QTest::addColumn<bool>("preview");
        QTest::newRow("window named by its id")
            << QSize(1280, 1024) << QRect(120, 90, 1024, 768) << false;
        // The daemon's way for its small preview: "-root" and its window in
        // the environment.
        QTest::newRow("preview named in the environment")
            << QSize(1024, 768) << QRect(40, 30, 150, 110) << true;
    }
    void theConsoleFillsTheWindowIgnoresInputAndEndsOnSigterm() {
        QFETCH(QSize, screen);
        QFETCH(QRect, area);
        QFETCH(bool, preview);
        HostedSaver s(screen, area);
        QProcessEnvironment env = s.x.environment();
        QStringList arguments{"-root"};
        if (preview) {
            env.insert("XSCREENSAVER_WINDOW", QString::number(s.host.id()));
        } else {
            arguments = {"-window-id", QStringLiteral("0x") + QString::number(s.host.id(), 16)};
        }
        QElapsedTimer clock;
        clock.start();
        QVERIFY(s.start(arguments, env));

        // The console draws itself into the window: the upper separator's
        // lilac shows inside it, scaled down to 0.17 in the preview.
        QVERIFY(QTest::qWaitFor(
            [&] {
                const QImage inside = s.x.screenshot().copy(area);
                for (int y = 0; y < inside.height(); ++y) {
                    for (int column = 0; column < inside.width(); ++column) {
                        if (inside.pixelColor(column, y) == kLilac) {
                            return true;
                        }
                    }
                }
                return false;
            },
            20000));
        QTest::qWait(500);
        const QImage shot = s.x.screenshot();
        if (!preview) {
            // Laid out for the window's size.
            expectLayout(shot.copy(area), area.size(), 1.0);
        }
        // The window's own colour shows nowhere: the console fills it; and
        // around the window the screen stays as it was (-wr: white).
        for (const QPoint at : {area.topLeft() + QPoint(2, 2), area.bottomRight() - QPoint(2, 2)}) {
            QVERIFY2(shot.pixelColor(at) != kForeign, qPrintable(describe(shot, at)));
        }
        expectColour(shot, area.topLeft() - QPoint(10, 10), Qt::white);
        expectColour(shot, area.bottomRight() + QPoint(10, 10), Qt::white);

        // The daemon owns the input: pointer jumps, a click and a key over
        // the window do not end the console. The jumps stay on the console
        // window itself, left of its picture, where as screen saver over the
        // screen the second one would end it.
        const int h = area.height();
        for (const int y : {h / 4, h * 3 / 4, h / 2}) {
            s.x.pointerTo(area.topLeft() + QPoint(5, y));
            QTest::qWait(100);
        }
        s.x.tool("xdotool", {"click", "1"});
        s.x.tool("xdotool", {"key", "space"});
        // A daemon takes a preview that ends within two seconds for broken.
        QVERIFY(!s.schirm.waitForFinished(int(std::max<qint64>(1500, 3000 - clock.elapsed()))));
        QVERIFY(alive(s.console));
        s.terminateBoth();
    }
};

QTEST_GUILESS_MAIN(HostWindowE2eTest)
#include "host_window_e2e_test.moc"
