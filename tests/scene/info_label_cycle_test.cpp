#include <QtTest>

#include "scene/info_label_cycle.h"
#include "scene/info_label_texts.h"
#include "support/scripted_random.h"

using ovant::sector::infoFullText;
using ovant::sector::infoLabelStep;
using ovant::sector::infoStageText;
using ovant::sector::InfoStep;
using ovant::testing::ScriptedRandom;

namespace {

constexpr double kHigh = 0.999999;

// With every draw at 0 each group reads " 100. 100. 100".
const QString kLowGroup = QStringLiteral(" 100. 100. 100");

QString groups(int count) {
    return kLowGroup.repeated(count);
}

}  // namespace

class InfoLabelCycleTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyObjectTypesItselfOutInStages_data() {
        QTest::addColumn<int>("object");
        for (int object = 1; object <= 5; ++object) {
            QTest::newRow(qPrintable(infoStageText(object, 1))) << object;
        }
    }
    void everyObjectTypesItselfOutInStages() {
        QFETCH(int, object);
        ScriptedRandom random({0.5});
        const QStringList chain{infoStageText(object, 1), infoStageText(object, 2),
                                infoStageText(object, 3), infoFullText(object), QString()};
        QString text;
        int tick = 0;
        for (const QString& next : chain) {
            const InfoStep step = infoLabelStep(object, text, tick, random);
            QCOMPARE(step.text, next);
            QCOMPARE(step.infoTick, tick + 1);
            text = step.text;
            tick = step.infoTick;
        }
        // Typing draws nothing but the interval.
        QCOMPARE(random.used(), int(chain.size()));
    }

    void eachTickFollowsFromTheTextAndTheCounter_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("tickBefore");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("tickAfter");
        const QString stage1 = infoStageText(3, 1);
        // At start the label shows the full text with the counter at 0: the
        // first tick empties it and the number run follows, not the typing.
        QTest::newRow("full text at start empties") << infoFullText(3) << 0 << QString() << 1;
        QTest::newRow("empty, counter becomes 1") << QString() << 0 << stage1 << 1;
        QTest::newRow("empty, counter becomes 2") << QString() << 1 << groups(1) << 2;
        QTest::newRow("empty, counter becomes 6") << QString() << 5 << groups(1) << 6;
        QTest::newRow("numbers keep growing on tick 9") << groups(3) << 8 << groups(4) << 9;
        QTest::newRow("numbers empty on tick 10") << groups(4) << 9 << QString() << 0;
        QTest::newRow("empty label also empties on tick 10") << QString() << 9 << QString() << 0;
        QTest::newRow("foreign text is treated as a number run")
            << QStringLiteral("Lamda") << 2 << QStringLiteral("Lamda") + kLowGroup << 3;
    }
    void eachTickFollowsFromTheTextAndTheCounter() {
        QFETCH(QString, text);
        QFETCH(int, tickBefore);
        QFETCH(QString, expected);
        QFETCH(int, tickAfter);
        ScriptedRandom random({0.0});
        const InfoStep step = infoLabelStep(3, text, tickBefore, random);
        QCOMPARE(step.text, expected);
        QCOMPARE(step.infoTick, tickAfter);
    }

    void numberGroupsAreDrawnBeforeTheInterval() {
        ScriptedRandom random({0.0, 0.5, kHigh, 0.5});
        const InfoStep step = infoLabelStep(2, QStringLiteral(" 321. 654. 987"), 3, random);
        QCOMPARE(step.text, QStringLiteral(" 321. 654. 987 100. 550. 999"));
        QCOMPARE(step.nextIntervalMs, 900);
        QCOMPARE(random.used(), 4);
    }

    void intervalStaysBetween200And1600_data() {
        QTest::addColumn<double>("r");
        QTest::addColumn<int>("interval");
        QTest::newRow("lowest") << 0.0 << 200;
        QTest::newRow("highest") << kHigh << 1600;
        QTest::newRow("a faulty 1 is still the highest") << 1.0 << 1600;
    }
    void intervalStaysBetween200And1600() {
        QFETCH(double, r);
        QFETCH(int, interval);
        ScriptedRandom typing({r});
        QCOMPARE(infoLabelStep(4, QString(), 0, typing).nextIntervalMs, interval);
        ScriptedRandom numbers({r});
        QCOMPARE(infoLabelStep(4, QString(), 4, numbers).nextIntervalMs, interval);
    }

    void aCounterPastTenStillEndsTheNumberRun() {
        ScriptedRandom random({0.0});
        // Stage text handed over late in the cycle: typing goes on, the
        // counter runs past 10 ...
        InfoStep step = infoLabelStep(5, infoStageText(5, 3), 10, random);
        QCOMPARE(step.text, infoFullText(5));
        QCOMPARE(step.infoTick, 11);
        step = infoLabelStep(5, step.text, step.infoTick, random);
        QCOMPARE(step.text, QString());
        // ... and the first number group empties the label and restarts the cycle.
        step = infoLabelStep(5, step.text, step.infoTick, random);
        QCOMPARE(step.text, QString());
        QCOMPARE(step.infoTick, 0);
        step = infoLabelStep(5, step.text, step.infoTick, random);
        QCOMPARE(step.text, infoStageText(5, 1));
    }

    void labelsOfUnknownObjectsAreLeftAlone() {
        ScriptedRandom random({0.0});
        const InfoStep step = infoLabelStep(6, QStringLiteral("anything"), 3, random);
        QCOMPARE(step.text, QStringLiteral("anything"));
        QCOMPARE(step.infoTick, 3);
        QCOMPARE(step.nextIntervalMs, 200);
        QCOMPARE(random.used(), 1);
    }
};

QTEST_GUILESS_MAIN(InfoLabelCycleTest)
#include "info_label_cycle_test.moc"
