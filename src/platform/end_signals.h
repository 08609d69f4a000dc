#pragma once

#include <QtGlobal>

#include <functional>

namespace ovant {

// A request to end (SIGTERM, as screen-saver daemons send; SIGINT; SIGHUP)
// becomes a call of `onEnd` from the event loop of the calling thread, nested
// loops included, so that it never cuts a step such as a settings write in
// half. If that loop is held up (a sound that blocks it), the process ends by
// itself two seconds later; a second request ends it at once.
// Call once, after the application object exists.
void endOnRequest(std::function<void()> onEnd);

// While it lives, a request to end this process is passed on to `child` as
// SIGTERM, so that a program waiting for its child does not leave it behind.
// Tells afterwards whether a request came.
class EndRequestForwarding {
public:
    explicit EndRequestForwarding(qint64 child);
    ~EndRequestForwarding();
    EndRequestForwarding(const EndRequestForwarding&) = delete;
    EndRequestForwarding& operator=(const EndRequestForwarding&) = delete;

    bool requested() const;
};

// Run in a started child before its program: it gets SIGTERM when the
// process that started it dies, even by SIGKILL.
void endWithParent(qint64 parent);

}  // namespace ovant
