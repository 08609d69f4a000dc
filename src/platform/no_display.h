#pragma once

#include <QString>

namespace ovant {

// Watches the making of the application object. When the window system
// cannot be reached (no X server where DISPLAY points), Qt would abort with a
// page about plug-ins; instead the program says so in one line on standard
// error and ends with exit code 1. Qt's own notes from that moment are held
// back and passed on once the application object stands.
class NoDisplayGuard {
public:
    explicit NoDisplayGuard(QString program);
    ~NoDisplayGuard();
    NoDisplayGuard(const NoDisplayGuard&) = delete;
    NoDisplayGuard& operator=(const NoDisplayGuard&) = delete;
};

}  // namespace ovant
