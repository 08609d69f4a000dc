#include "platform/window_roles.h"

#include <QGuiApplication>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#ifdef OVANT_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace ovant {

#ifdef OVANT_HAVE_XCB

namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    const std::unique_ptr<xcb_intern_atom_reply_t, FreeReply> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

}  // namespace

bool keepOffTaskList(WId window) {
    auto* app = qGuiApp;
    auto* x11 =
        app != nullptr ? app->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr || window == 0) {
        return false;
    }
    const auto id = static_cast<xcb_window_t>(window);
    const xcb_atom_t netWmState = internAtom(connection, "_NET_WM_STATE");
    const std::array<xcb_atom_t, 2> wishes{internAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
                                           internAtom(connection, "_NET_WM_STATE_SKIP_PAGER")};
    if (netWmState == XCB_ATOM_NONE || wishes[0] == XCB_ATOM_NONE || wishes[1] == XCB_ATOM_NONE) {
        return false;
    }

    // Keep whatever states the window already asks for.
    std::vector<xcb_atom_t> states;
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(connection, 0, id, netWmState, XCB_ATOM_ATOM, 0, 1024);
    const std::unique_ptr<xcb_get_property_reply_t, FreeReply> reply(
        xcb_get_property_reply(connection, cookie, nullptr));
    if (reply && reply->format == 32 && reply->type == XCB_ATOM_ATOM) {
        const auto* values = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
        states.assign(values, values + xcb_get_property_value_length(reply.get()) / 4);
    }
    for (const xcb_atom_t wish : wishes) {
        if (std::find(states.begin(), states.end(), wish) == states.end()) {
            states.push_back(wish);
        }
    }
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, netWmState, XCB_ATOM_ATOM, 32,
                        static_cast<std::uint32_t>(states.size()), states.data());
    xcb_flush(connection);
    return true;
}

#else

bool keepOffTaskList(WId /*window*/) {
    return false;
}

#endif

}  // namespace ovant
