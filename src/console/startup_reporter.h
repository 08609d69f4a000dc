#pragma once

#include <QString>

namespace ovant {

// Where the start sequence reports its progress: the splash window's status
// lines. The console closes it once it has shown itself.
class StartupReporter {
public:
    virtual ~StartupReporter() = default;
    virtual void appendStatus(const QString& text) = 0;
    virtual void finish() = 0;
};

}  // namespace ovant
