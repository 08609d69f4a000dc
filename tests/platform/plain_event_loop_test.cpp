// The console wakes dozens of times a second; it must
// run on Qt's own event loop, which costs less per wake-up than the one
// built on GLib's main loop (Qt picks that one wherever GLib is there).
#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QtTest>

#include "platform/plain_event_loop.h"

class PlainEventLoopTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theApplicationRunsOnQtsOwnEventLoop() {
        const QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
        QVERIFY(dispatcher != nullptr);
        QVERIFY2(!dispatcher->inherits("QEventDispatcherGlib"),
                 dispatcher->metaObject()->className());
    }
};

int main(int argc, char** argv) {
    ovant::preferPlainEventLoop();
    QCoreApplication app(argc, argv);
    PlainEventLoopTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "plain_event_loop_test.moc"
