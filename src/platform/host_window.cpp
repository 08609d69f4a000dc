#include "platform/host_window.h"

#include <QByteArray>
#include <cstdlib>
#include <memory>

#ifdef OVANT_HAVE_XCB
#include <xcb/xcb.h>
#include <QGuiApplication>
#endif

#ifdef __linux__
#include <sys/prctl.h>
#include <unistd.h>
#include <csignal>
#endif

namespace ovant {

std::optional<WId> hostWindowFromEnvironment() {
    bool ok = false;
    const qulonglong id = qEnvironmentVariable(kHostWindowVariable).toULongLong(&ok, 10);
    if (!ok || id == 0) {
        return std::nullopt;
    }
    return static_cast<WId>(id);
}

#ifdef OVANT_HAVE_XCB

std::optional<QSize> foreignWindowSize(WId window) {
    auto* app = qGuiApp;
    auto* x11 =
        app != nullptr ? app->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr || window == 0) {
        return std::nullopt;
    }
    const xcb_get_geometry_cookie_t cookie =
        xcb_get_geometry(connection, static_cast<xcb_drawable_t>(window));
    struct FreeReply {
        void operator()(void* reply) const { std::free(reply); }
    };
    const std::unique_ptr<xcb_get_geometry_reply_t, FreeReply> reply(
        xcb_get_geometry_reply(connection, cookie, nullptr));
    if (!reply || reply->width == 0 || reply->height == 0) {
        return std::nullopt;
    }
    return QSize(reply->width, reply->height);
}

#else

std::optional<QSize> foreignWindowSize(WId /*window*/) {
    return std::nullopt;
}

#endif

bool placeInsideForeignWindow(QWindow& own, WId host) {
    // Qt keeps the stand-in for the other window; it lives as long as the
    // program, as the other window does for us.
    QWindow* foreign = QWindow::fromWinId(host);
    if (foreign == nullptr) {
        return false;
    }
    own.setParent(foreign);
    own.setPosition(0, 0);
    return true;
}

#ifdef __linux__

bool endWithParentProcess() {
    const pid_t parent = getppid();
    if (prctl(PR_SET_PDEATHSIG, SIGTERM) != 0) {
        return false;
    }
    // The parent may have ended before the wish was set: then it is no
    // longer our parent, and nobody would tell us.
    if (getppid() != parent) {
        std::raise(SIGTERM);
    }
    return true;
}

#else

bool endWithParentProcess() {
    return false;
}

#endif

}  // namespace ovant
