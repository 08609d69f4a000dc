#pragma once

#include <QSize>
#include <QString>
#include <QWindow>
#include <optional>

namespace ovant {

// A window of another program (a screen-saver daemon's full-screen window or
// its small preview) that the console runs inside instead of covering the
// screen itself. OVANT-Schirm names the window to the console in this
// environment variable, as a decimal number; the console's command line
// stays "Mode:ScrSav".
inline constexpr const char* kHostWindowVariable = "OVANT_HOST_WINDOW";

// The window named in kHostWindowVariable; nothing when it is unset or no
// positive number.
std::optional<WId> hostWindowFromEnvironment();

// The inner size of a window of another program; nothing when the window
// does not exist or the platform cannot tell.
std::optional<QSize> foreignWindowSize(WId window);

// Makes `own` a child of the other program's window, at its top-left corner.
// Returns whether the other window could be found.
bool placeInsideForeignWindow(QWindow& own, WId host);

// The daemon ends the module with a signal and knows nothing of the console
// the module started: the console ends with the module, whatever ends it.
// Returns whether the platform can do that.
bool endWithParentProcess();

}  // namespace ovant
