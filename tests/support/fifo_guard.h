#pragma once

// Runs a call that must not block on a FIFO, and frees it if it does: the
// FIFO is then opened for writing once, so the blocked reader sees its end
// and the test can fail instead of hanging.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

namespace testsupport {

inline bool makeFifo(const QString& path) {
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

// True when `call` returned within `limitMs`.
inline bool returnsWithoutBlocking(const std::function<void()>& call, const QStringList& fifos,
                                   int limitMs = 3000) {
    auto done = std::make_shared<std::atomic<bool>>(false);
    std::thread worker([call, done] {
        call();
        done->store(true);
    });
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    while (!done->load() && std::chrono::steady_clock::now() < giveUp)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const bool inTime = done->load();
    while (!done->load()) {
        for (const QString& fifo : fifos) {
            const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    worker.join();
    return inTime;
}

}  // namespace testsupport
