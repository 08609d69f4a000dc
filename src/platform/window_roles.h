#pragma once

#include <QWindow>

namespace ovant {

// Keeps a window out of the desktop's task list and pager. Window managers
// read these wishes when the window is mapped, so this must run after the
// native window exists and before it is first shown. Under X11 the wishes are
// added to the window's _NET_WM_STATE, which Qt merges with its own (full
// screen, above) when it maps the window; elsewhere nothing happens. Returns
// whether the wishes were set.
bool keepOffTaskList(WId window);

}  // namespace ovant
