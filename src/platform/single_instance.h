#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace ovant {

// One console per user: the lock lives in the user's runtime folder
// (XDG_RUNTIME_DIR), and a lock left behind by a crashed process is taken over.
class SingleInstance {
public:
    explicit SingleInstance(const QString& name);
    bool acquired() const { return acquired_; }

private:
    std::unique_ptr<QLockFile> lock_;
    bool acquired_ = false;
};

}  // namespace ovant
