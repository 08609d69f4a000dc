#include "platform/end_signals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <fcntl.h>
#include <sys/prctl.h>
#include <unistd.h>
#include <atomic>
#include <csignal>

namespace ovant {
namespace {

constexpr int kRequests[] = {SIGTERM, SIGINT, SIGHUP};
constexpr unsigned kBackstopSeconds = 2;

// Only what a signal handler may touch.
int g_wakeWrite = -1;
std::atomic<int> g_requests{0};  // lock-free, so a handler may use it
std::atomic<pid_t> g_child{0};
std::atomic<int> g_forwarded{0};

void onRequestSignal(int) {
    if (g_requests.fetch_add(1) > 0)
        ::_exit(0);
    const char byte = 1;
    if (::write(g_wakeWrite, &byte, 1) < 0) {
        // The pipe is full only if a request is already waiting.
    }
    std::signal(SIGALRM, SIG_DFL);
    ::alarm(kBackstopSeconds);
}

void onForwardedSignal(int) {
    g_forwarded.store(1);
    const pid_t child = g_child.load();
    if (child > 0)
        ::kill(child, SIGTERM);
}

void handleRequests(void (*handler)(int), struct sigaction* previous) {
    for (std::size_t i = 0; i < std::size(kRequests); ++i) {
        struct sigaction action {};
        action.sa_handler = handler;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(kRequests[i], &action, previous != nullptr ? &previous[i] : nullptr);
    }
}

struct sigaction g_beforeForwarding[std::size(kRequests)];

}  // namespace

void endOnRequest(std::function<void()> onEnd) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;  // the default action still ends the process
    g_wakeWrite = fds[1];
    // Lives as long as the application; the handler may write at any time.
    auto* notifier =
        new QSocketNotifier(fds[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier,
                     [readEnd = fds[0], onEnd = std::move(onEnd)] {
                         char bytes[16];
                         while (::read(readEnd, bytes, sizeof bytes) > 0) {
                         }
                         onEnd();
                     });
    handleRequests(&onRequestSignal, nullptr);
}

EndRequestForwarding::EndRequestForwarding(qint64 child) {
    g_forwarded.store(0);
    g_child.store(static_cast<pid_t>(child));
    handleRequests(&onForwardedSignal, g_beforeForwarding);
}

EndRequestForwarding::~EndRequestForwarding() {
    for (std::size_t i = 0; i < std::size(kRequests); ++i)
        ::sigaction(kRequests[i], &g_beforeForwarding[i], nullptr);
    g_child.store(0);
}

bool EndRequestForwarding::requested() const {
    return g_forwarded.load() != 0;
}

void endWithParent(qint64 parent) {
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    // The parent may have died before the line above.
    if (::getppid() != static_cast<pid_t>(parent))
        ::raise(SIGTERM);
}

}  // namespace ovant
