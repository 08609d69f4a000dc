// How large the console is drawn for a screen (or a foreign window) and the
// stored "Options"/"Scale" text.
#include <QtTest>

#include "platform/console_scale.h"
#include "platform/screen_rules.h"
#include "platform/twips.h"

using ovant::Twips;
namespace scale = ovant::scale;

namespace {

// The console picture, centred with its shift, lies wholly on the area.
bool consoleFits(QSize area, double factor) {
    const Twips t(factor);
    const double width = t.toPixelsF(scale::kNeedWidthTwips);
    const double height = t.toPixelsF(scale::kNeedHeightTwips);
    return width <= area.width() + 1e-9 && height <= area.height() + 1e-9;
}

}  // namespace

class ConsoleScaleTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fitTakesTheLargestStepThatStillFits_data() {
        QTest::addColumn<QSize>("area");
        QTest::addColumn<double>("factor");
        // Quarter steps from 1 upwards; the height limits wide screens.
        QTest::newRow("1024 x 768") << QSize(1024, 768) << 1.0;
        QTest::newRow("1920 x 1080") << QSize(1920, 1080) << 1.5;
        QTest::newRow("2560 x 1440") << QSize(2560, 1440) << 2.25;
        QTest::newRow("3840 x 2160") << QSize(3840, 2160) << 3.25;
        QTest::newRow("exactly twice the need") << QSize(1596, 1236) << 2.0;
        // The width limits tall screens.
        QTest::newRow("portrait 1080 x 1920") << QSize(1080, 1920) << 1.25;
        // Between the refusal limit and the designed size: hundredths.
        QTest::newRow("700 x 550") << QSize(700, 550) << 0.87;
        QTest::newRow("1024 x 500") << QSize(1024, 500) << 0.8;
        // A screen saver's preview window.
        QTest::newRow("150 x 110 preview") << QSize(150, 110) << 0.17;
        QTest::newRow("nothing left") << QSize(0, 0) << scale::kSmallest;
    }
    void fitTakesTheLargestStepThatStillFits() {
        QFETCH(QSize, area);
        QFETCH(double, factor);
        QCOMPARE(scale::fitFactor(area), factor);
        QCOMPARE(scale::consoleScale(area, QStringLiteral("fit")), factor);
        if (area.width() > 0) {
            QVERIFY(consoleFits(area, factor));
            // One more step would not fit any more.
            QVERIFY(!consoleFits(area, factor + (factor >= 1.0 ? 0.25 : 0.01)));
        }
    }

    void fitMakesTheConsoleWhollyVisibleEverywhereBetweenTheLimitsAndTheDesign() {
        // Every screen the console does not refuse, up to its designed size.
        for (int width = 500; width <= 800; width += 7) {
            for (int height = 400; height <= 640; height += 7) {
                const QSize area(width, height);
                if (ovant::screenTooSmall(area)) {
                    continue;
                }
                const double factor = scale::fitFactor(area);
                QVERIFY2(
                    consoleFits(area, factor),
                    qPrintable(QStringLiteral("%1 x %2 at %3").arg(width).arg(height).arg(factor)));
                QVERIFY(factor <= 1.0);
            }
        }
    }

    void storedTextsGiveASaneFactor_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("factor");
        // On a 2560 x 1440 screen, which fits the console up to about 2.33.
        QTest::newRow("nothing stored") << QString() << 1.0;
        QTest::newRow("fit in capitals with blanks") << QStringLiteral(" FIT ") << 2.25;
        QTest::newRow("a factor") << QStringLiteral("1.5") << 1.5;
        QTest::newRow("German decimal comma") << QStringLiteral("1,5") << 1.5;
        QTest::newRow("an exact factor is kept") << QStringLiteral("2.3") << 2.3;
        QTest::newRow("too large stops at the screen")
            << QStringLiteral("1e9") << 1440 * 15.0 / 9270;
        QTest::newRow("too small stops at one half") << QStringLiteral("0.01") << 0.5;
        QTest::newRow("negative") << QStringLiteral("-2") << 1.0;
        QTest::newRow("a number and more") << QStringLiteral("2x") << 1.0;
        QTest::newRow("not a number") << QStringLiteral("nan") << 1.0;
    }
    void storedTextsGiveASaneFactor() {
        QFETCH(QString, text);
        QFETCH(double, factor);
        QCOMPARE(scale::consoleScale(QSize(2560, 1440), text), factor);
        // At 700 x 550 the designed console is cut off on the right; only
        // "fit" shrinks it, a stored 1 (or more) keeps what the user had.
        if (text.toDouble() >= 1.0)
            QCOMPARE(scale::consoleScale(QSize(700, 550), text), 1.0);
    }
};

QTEST_GUILESS_MAIN(ConsoleScaleTest)
#include "console_scale_test.moc"
