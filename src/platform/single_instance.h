#pragma once

#include <QString>

namespace ovant {

// One console per user. The lock is the kernel's lock on a file in the user's
// runtime folder (XDG_RUNTIME_DIR): it ends with its process, however that
// ends, so a lock file left behind never blocks a start, whatever process its
// recorded number names by now. When no lock can be taken at all (no usable
// folder, something other than a file in its place) the program starts.
class SingleInstance {
public:
    explicit SingleInstance(const QString& name);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // False only when another living process holds the lock.
    bool acquired() const { return acquired_; }
    static QString lockPath(const QString& name);

private:
    int fd_ = -1;
    bool acquired_ = true;
};

}  // namespace ovant
