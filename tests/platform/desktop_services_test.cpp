// The desktop around the console: the mouse cursor, ship outlines, the event
// loop, and one console per user, where only a living holder of the lock keeps
// a second start out and whatever a lock file left behind says never does.
#include <QAbstractEventDispatcher>
#include <QGuiApplication>
#include <QProcess>
#include <QSysInfo>
#include <QtTest>

#include <unistd.h>
#include <cstdio>

#include "platform/mouse_cursor.h"
#include "platform/outline_cut.h"
#include "platform/plain_event_loop.h"
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

// An image from rows of characters: '.' is the key colour, anything else a
// ship pixel.
QImage picture(const QStringList& rows) {
    QImage image(int(rows.first().size()), int(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < rows.size(); ++y) {
        for (int x = 0; x < rows[y].size(); ++x)
            image.setPixel(
                x, y, rows[y][x] == QLatin1Char('.') ? qRgb(255, 0, 255) : qRgb(200, 200, 200));
    }
    return image;
}

}  // namespace

class DesktopServicesTest : public QObject {
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

    // The console wakes dozens of times a second; Qt's own event loop costs
    // less per wake-up than the one on GLib's main loop, which Qt picks
    // wherever GLib is there.
    void theApplicationRunsOnQtsOwnEventLoop() {
        const QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
        QVERIFY(dispatcher);
        QVERIFY2(!dispatcher->inherits("QEventDispatcherGlib"),
                 dispatcher->metaObject()->className());
    }

    void cursorHiddenAfterHideHoweverOftenShown() {
        for (int i = 0; i < 3; ++i) MouseCursor::show();
        MouseCursor::hide();
        QVERIFY(MouseCursor::hidden());
        for (int i = 0; i < 3; ++i) MouseCursor::hide();
        MouseCursor::show();
        QVERIFY(!MouseCursor::hidden());
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }

    void outlineKeepsExactlyTheShipPixels() {
        // Top-left is the key; a key-coloured pixel inside the ship is a hole;
        // a run reaching the right edge ends there; an empty row adds nothing.
        const QImage image = picture({"......", "..xx..", ".x.xxx", "......"});
        QCOMPARE(outlineRegion(image, 6, 4),
                 QRegion(2, 1, 2, 1) + QRegion(1, 2, 1, 1) + QRegion(3, 2, 3, 1));
        QVERIFY(outlineRegion(picture({"...", "..."}), 3, 2).isEmpty());
        QVERIFY(outlineRegion(QImage(), 26, 28).isEmpty());
        // Only the element's size is read; pixels beyond the picture are holes.
        const QImage small = picture({".ww", "www"});
        QCOMPARE(outlineRegion(small, 2, 1), QRegion(1, 0, 1, 1));
        QCOMPARE(outlineRegion(small, 5, 2), QRegion(1, 0, 2, 1) + QRegion(0, 1, 3, 1));
    }

    void aLivingHolderRefusesTheStartUntilItEnds() {
        {
            const SingleInstance first(kName);
            QVERIFY(first.acquired());
            QVERIFY(!SingleInstance(kName).acquired());
        }
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

    // Whatever process the recorded number names by now, even this very
    // program by its own name, the lock file alone never blocks a start.
    void aLockLeftBehindNeverBlocksAStart() {
        QProcess ended;
        ended.start(QStringLiteral("true"), {});
        QVERIFY(ended.waitForFinished(10000));
        leaveLock(ended.processId() > 0 ? ended.processId() : 999999, "OVANT-Scan");
        QVERIFY(SingleInstance(kName).acquired());
        leaveLock(QCoreApplication::applicationPid(), QCoreApplication::applicationName().toUtf8());
        QVERIFY(SingleInstance(kName).acquired());
        QFile garbage(SingleInstance::lockPath(kName));
        QVERIFY(garbage.open(QIODevice::WriteOnly | QIODevice::Truncate));
        garbage.write(QByteArray("\xff\x00\n-7\n\n", 7));
        garbage.close();
        QVERIFY(SingleInstance(kName).acquired());
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
    preferPlainEventLoop();
    QGuiApplication app(argc, argv);
    DesktopServicesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "desktop_services_test.moc"