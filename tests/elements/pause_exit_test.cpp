#include <QProcess>
#include <QtTest>

class PauseExitTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void endingInsideNestedPausesNeverResumesThem() {
        QProcess probe;
        probe.start(qEnvironmentVariable("OVANT_BIN_DIR") + QStringLiteral("/pause_exit_probe"));
        QVERIFY(probe.waitForFinished(10000));
        QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
        QCOMPARE(probe.exitCode(), 7);
        QCOMPARE(probe.readAllStandardOutput(), QByteArray());
    }
};

QTEST_GUILESS_MAIN(PauseExitTest)
#include "pause_exit_test.moc"
