#include <QtTest>

#include "console/console_state.h"
#include "screensaver/console_exit.h"

using namespace ovant;

class ConsoleExitTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void onlyTheConsoleCommandsKeepTheScreenSaverRunning_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("ends");
        for (const int key : {Qt::Key_R, Qt::Key_S, Qt::Key_Z, Qt::Key_H, Qt::Key_P, Qt::Key_E}) {
            QTest::addRow("%c", key) << key << false;
        }
        QTest::newRow("X") << int(Qt::Key_X) << true;
        QTest::newRow("space") << int(Qt::Key_Space) << true;
        QTest::newRow("shift alone") << int(Qt::Key_Shift) << true;
        QTest::newRow("F1") << int(Qt::Key_F1) << true;
    }
    void onlyTheConsoleCommandsKeepTheScreenSaverRunning() {
        QFETCH(int, key);
        QFETCH(bool, ends);
        ConsoleState state;
        state.scrSavMode = true;
        QCOMPARE(keyEndsScreenSaver(state, key), ends);
        QVERIFY(commandEndsScreenSaver(state));
        // The interactive console ends on none of them by this rule.
        state.scrSavMode = false;
        QVERIFY(!keyEndsScreenSaver(state, key));
        QVERIFY(!commandEndsScreenSaver(state));
    }
};

QTEST_MAIN(ConsoleExitTest)
#include "console_exit_test.moc"
