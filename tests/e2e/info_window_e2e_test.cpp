// The info window with the real program on a private X server: alone as an
// ordinary window, and over the console from F1.
#include <QRegularExpression>
#include <QtTest>

#include "scan_process.h"
#include "xvfb_session.h"

using namespace ovant::e2e;

namespace {

const QString kInfoTitle = QStringLiteral("^OVANT-Feldtaster \\[Infos und Hilfe\\]$");
const QColor kSelectedButton(255, 207, 159);
const QColor kBarGrey(80, 80, 80);

// Width and height of the visible window whose title matches, from xdotool.
QSize windowSize(const XvfbSession& x, const QString& title) {
    const QByteArray out =
        x.tool(QStringLiteral("xdotool"),
               {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                title, QStringLiteral("getwindowgeometry")});
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Geometry: (\\d+)x(\\d+)")).match(QString::fromUtf8(out));
    return m.hasMatch() ? QSize(m.captured(1).toInt(), m.captured(2).toInt()) : QSize();
}

bool windowShows(const XvfbSession& x, const QString& title) {
    int code = -1;
    x.tool(QStringLiteral("xdotool"),
           {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
            title},
           5000, &code);
    return code == 0;
}

bool near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
               std::abs(a.blue() - b.blue()) <=
           12;
}

}  // namespace

class InfoWindowE2eTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aloneItIsAnOrdinaryWindowWithoutBarsAndEscapeEndsTheProgram() {
        XvfbSession x(QSize(1024, 768));
        QVERIFY(x.ready());
        QProcess info;
        QVERIFY(startScan(info, x, {QStringLiteral("Mode:ShowInfo")}));
        QVERIFY(x.waitForWindow(kInfoTitle));
        QCOMPARE(windowSize(x, kInfoTitle), QSize(634, 477));
        QTest::qWait(1500);
        const QImage shot = x.screenshot();
        // The about button is selected; outside the window the server's
        // white shows, where the screen-edge bars would lie too.
        QVERIFY2(near(shot.pixelColor(50, 30), kSelectedButton),
                 qPrintable(describe(shot, 50, 30)));
        for (const QPoint at : {QPoint(700, 20), QPoint(500, 745), QPoint(800, 400)}) {
            QVERIFY2(shot.pixelColor(at) == QColor(Qt::white),
                     qPrintable(describe(shot, at.x(), at.y())));
        }
        x.key(kInfoTitle, QStringLiteral("Escape"));
        QVERIFY(info.waitForFinished(5000));
        QCOMPARE(info.exitStatus(), QProcess::NormalExit);
        QCOMPARE(info.exitCode(), 0);
    }

    void fromTheConsoleF1OpensItAndEscapeReturnsToTheRunningConsole() {
        const QSize screen(1024, 768);
        XvfbSession x(screen);
        storeOption(x, QStringLiteral("AutoScan"), QStringLiteral("0"));
        QProcess console;
        QVERIFY(startConsole(console, x));
        QTest::qWait(500);
        x.key(kConsoleTitle, QStringLiteral("F1"));
        QVERIFY(x.waitForWindow(kInfoTitle));
        QCOMPARE(windowSize(x, kInfoTitle), screen);
        QTest::qWait(1500);
        const QImage shot = x.screenshot();
        // The window's picture is centred, 10 twips lower; the about button
        // lies 8 pixels into it.
        const QPoint main(px(screen.width() * 15 / 2.0 - 9525 / 2.0),
                          px(screen.height() * 15 / 2.0 - 7155 / 2.0 + 10));
        const QPoint button = main + QPoint(50, 30);
        QVERIFY2(near(shot.pixelColor(button), kSelectedButton),
                 qPrintable(describe(shot, button.x(), button.y())));
        QVERIFY2(near(shot.pixelColor(500, 20), kBarGrey), qPrintable(describe(shot, 500, 20)));

        x.key(kInfoTitle, QStringLiteral("Escape"));
        QTRY_VERIFY_WITH_TIMEOUT(!windowShows(x, kInfoTitle), 5000);
        QTest::qWait(500);
        QCOMPARE(console.state(), QProcess::Running);
        QVERIFY(windowShows(x, kConsoleTitle));
        // The console still takes its keys.
        x.key(kConsoleTitle, QStringLiteral("x"));
        QVERIFY(console.waitForFinished(5000));
        QCOMPARE(console.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(InfoWindowE2eTest)
#include "info_window_e2e_test.moc"
