// One console per user: only a living holder of the lock keeps a second start
// out; whatever a lock file left behind says never does.
#include <QCoreApplication>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>
#include <cstdio>

#include "platform/single_instance.h"
#include "support/fifo_guard.h"

using namespace ovant;

namespace {

constexpr const char* kHolderMode = "OVANT_TEST_HOLDER";
const QString kName = QStringLiteral("OVANT-Scan");

// Holds the lock until its standard input closes.
int runHolder() {
    const SingleInstance held(kName);
    std::fputs(held.acquired() ? "held\n" : "refused\n", stdout);
    std::fflush(stdout);
    char byte = 0;
    while (::read(STDIN_FILENO, &byte, 1) > 0) {
    }
    return 0;
}

// A lock file as a program that records its owner would leave it.
void leaveLock(qint64 pid, const QByteArray& program) {
    QFile file(SingleInstance::lockPath(kName));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray::number(pid) + '\n' + program + '\n' +
               QSysInfo::machineHostName().toUtf8() + '\n');
}

QByteArray programOf(qint64 pid) {
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    return comm.open(QIODevice::ReadOnly) ? comm.readAll().trimmed() : QByteArray("init");
}

}  // namespace

class SingleInstanceTest : public QObject {
    Q_OBJECT

    QTemporaryDir runtime_;

private Q_SLOTS:
    void init() {
        QVERIFY(runtime_.isValid());
        qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
        QFile::setPermissions(runtime_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                   QFileDevice::ExeOwner);
        const QString lock = SingleInstance::lockPath(kName);
        QFile::remove(lock);
        QDir(lock).removeRecursively();
    }

    void aLivingHolderInAnotherProcessRefusesTheStartUntilItEnds() {
        QProcess holder;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(kHolderMode), QStringLiteral("1"));
        holder.setProcessEnvironment(environment);
        holder.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(holder.waitForReadyRead(10000));
        QCOMPARE(holder.readLine(), QByteArray("held\n"));
        QVERIFY(!SingleInstance(kName).acquired());

        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished(10000));
        // The file stays behind; it blocks nothing.
        QVERIFY(QFile::exists(SingleInstance::lockPath(kName)));
        QVERIFY(SingleInstance(kName).acquired());
    }

    void aLockLeftBehindNeverBlocksAStart_data() {
        QTest::addColumn<QString>("owner");
        QTest::newRow("naming a process that has ended") << "dead";
        QTest::newRow("naming process 1 by its own name") << "pid1";
        QTest::newRow("naming a living sleep by its own name") << "sleep";
        QTest::newRow("naming this very program") << "self";
        QTest::newRow("garbage") << "garbage";
    }
    void aLockLeftBehindNeverBlocksAStart() {
        QFETCH(QString, owner);
        QProcess other;
        if (owner == QLatin1String("dead")) {
            other.start(QStringLiteral("true"), {});
            QVERIFY(other.waitForFinished(10000));
            leaveLock(other.processId() > 0 ? other.processId() : 999999, "OVANT-Scan");
        } else if (owner == QLatin1String("pid1")) {
            leaveLock(1, programOf(1));
        } else if (owner == QLatin1String("sleep")) {
            other.start(QStringLiteral("sleep"), {QStringLiteral("30")});
            QVERIFY(other.waitForStarted(10000));
            leaveLock(other.processId(), "sleep");
        } else if (owner == QLatin1String("self")) {
            leaveLock(QCoreApplication::applicationPid(),
                      QCoreApplication::applicationName().toUtf8());
        } else {
            QFile file(SingleInstance::lockPath(kName));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray("\xff\x00\n-7\n\n", 7));
        }
        QVERIFY(SingleInstance(kName).acquired());
        if (other.state() != QProcess::NotRunning) {
            other.kill();
            other.waitForFinished(10000);
        }
    }

    // Something other than a file in the lock's place: the start cannot tell
    // and goes ahead, without waiting on it.
    void somethingOtherThanAFileAsTheLockLetsTheStartGoAhead() {
        const QString lock = SingleInstance::lockPath(kName);
        QVERIFY(testsupport::makeFifo(lock));
        bool acquired = false;
        QVERIFY(testsupport::returnsWithoutBlocking(
            [&] { acquired = SingleInstance(kName).acquired(); }, {lock}));
        QVERIFY(acquired);
        QFile::remove(lock);
        QVERIFY(QDir().mkpath(lock));
        QVERIFY(SingleInstance(kName).acquired());
    }
};

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsSet(kHolderMode))
        return runHolder();
    QCoreApplication app(argc, argv);
    SingleInstanceTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "single_instance_test.moc"
