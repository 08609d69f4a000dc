// Starts a sequence that pauses twice, nested, and ends the process from a
// timer inside the inner pause. Prints "resumed" if a paused sequence ever
// continues afterwards; the test expects silence and exit code 7.
#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

#include "elements/pacing.h"
#include "platform/process_end.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ovant::Pacer pacer{40};
    QTimer::singleShot(10, [&] {
        QTimer::singleShot(20, [] { ovant::endProcessNow(7); });
        pacer.aniWait();
        pacer.pause(0.5);
        std::puts("resumed inner");
    });
    pacer.pause(1.0);
    std::puts("resumed outer");
    return 0;
}
