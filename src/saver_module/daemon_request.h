#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

namespace ovant {

// What a screen-saver daemon of the X desktops asks for when it starts the
// module with its own kind of arguments instead of "/s" or "/c".
struct DaemonRequest {
    enum class Kind {
        None,    // no daemon arguments: the module's own command line decides
        Root,    // "-root": run as screen saver over the whole screen
        Window,  // run inside the daemon's window `window`
        Broken,  // a window id that is no window id: end at once
    };
    Kind kind = Kind::None;
    std::uint32_t window = 0;
};

// A window id as daemons write it: hexadecimal with "0x" ("0x1a00005") or
// decimal ("27262981"); 0 for anything else, since no window has id 0.
std::uint32_t parseWindowId(const QString& text);

// Reads the arguments (without the program name) and the value of the
// environment variable XSCREENSAVER_WINDOW (empty when unset).
// "-window-id ID", "--window-id ID" or "--window-id=ID" name the window; the
// last one given counts. "-root" or "--root" asks for the whole screen, unless
// a window id was given or the daemon names its window in the environment
// variable (a daemon that draws over the screen in its own window passes
// "-root" and that variable together). Without any of these arguments the
// variable alone decides nothing: "/s", "/c" and no argument keep their
// meaning.
DaemonRequest daemonRequest(const QStringList& arguments, const QString& environmentWindow);

}  // namespace ovant
